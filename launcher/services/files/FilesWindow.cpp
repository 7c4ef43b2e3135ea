#include "services/files/FilesWindow.h"

#include "config/Language.h"
#include "services/Prompt.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QComboBox>
#include <QStyle>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// The model's own form of a folder: no trailing "/" except for the root.
QString modelPath(const QString& folder)
{
    return folder.size() > 1 && folder.endsWith(u'/') ? folder.chopped(1) : folder;
}

bool isReturn(const QKeyEvent* key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// Icons and type texts by kind only. The default provider asks the MIME
// database for every file, which opens and reads each file whose name does
// not settle its type: seconds for a folder of 10,000 disk images.
class PlainIcons final : public QAbstractFileIconProvider {
public:
    PlainIcons()
        : m_file(QApplication::style()->standardIcon(QStyle::SP_FileIcon)),
          m_folder(QApplication::style()->standardIcon(QStyle::SP_DirIcon)),
          m_drive(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon))
    {
    }
    QIcon icon(IconType type) const override
    {
        switch (type) {
        case Folder: return m_folder;
        case File: return m_file;
        default: return m_drive;
        }
    }
    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isRoot())
            return m_drive;
        return info.isDir() ? m_folder : m_file;
    }
    QString type(const QFileInfo& info) const override
    {
        return info.isDir() ? QStringLiteral("Folder") : QStringLiteral("File");
    }

private:
    QIcon m_file;
    QIcon m_folder;
    QIcon m_drive;
};

} // namespace

Files::Files(FilesMode mode, const QString& defaultPath, const QString& windowCaption,
             const QString& defaultFilename, QWidget* parent)
    : QDialog(parent), m_icons(std::make_unique<PlainIcons>()), m_mode(mode), m_caption(windowCaptionFor(mode, windowCaption)),
      m_pattern(listPattern(mode, defaultFilename)), m_places(currentPlaces())
{
    setObjectName(QStringLiteral("Files"));
    setWindowTitle(m_caption);
    setModal(true);
    buildControls();
    const StartPoint start = startPointFor(mode, defaultPath, defaultFilename, QDir::homePath());
    m_name = start.file;
    setFolder(start.folder);
    FileName->setText(m_name);
    if (!m_name.isEmpty()) {
        const QModelIndex preselected = m_fileModel->index(m_folder + m_name);
        if (preselected.isValid())
            File1->setCurrentIndex(preselected);
    }
    showFullPath();
    m_started = true;
    Dir1->setFocus();
}

Files::~Files()
{
    // The models read on threads that use the icon provider: end them first.
    delete m_fileModel;
    delete m_dirModel;
}

void Files::buildControls()
{
    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("Heading"));
    m_heading->setText(heading());

    Drive1 = new QComboBox(this);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    for (const Place& place : m_places)
        Drive1->addItem(place.label, place.path);

    m_dirModel = new QFileSystemModel(this);
    m_dirModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    m_dirModel->setReadOnly(true);
    m_dirModel->setIconProvider(m_icons.get());
    m_dirModel->setRootPath(QStringLiteral("/"));
    Dir1 = new QTreeView(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setModel(m_dirModel);
    for (int column = 1; column < m_dirModel->columnCount(); ++column)
        Dir1->hideColumn(column);
    Dir1->setHeaderHidden(true);
    Dir1->setUniformRowHeights(true);
    Dir1->setSelectionMode(QAbstractItemView::SingleSelection);
    Dir1->setSortingEnabled(true);
    Dir1->sortByColumn(0, Qt::AscendingOrder);

    File1 = new QListView(this);
    File1->setObjectName(QStringLiteral("File1"));

    File1->setUniformItemSizes(true);
    File1->setSelectionMode(QAbstractItemView::SingleSelection);

    FileName = new QLineEdit(this);
    FileName->setObjectName(QStringLiteral("FileName"));
    KomplettPfadText = new QLineEdit(this);
    KomplettPfadText->setObjectName(QStringLiteral("KomplettPfadText"));

    Ok = new QPushButton(QStringLiteral("OK"), this);
    Ok->setObjectName(QStringLiteral("Ok"));
    Abbruch = new QPushButton(Msg(QStringLiteral("Abbrechen"), QStringLiteral("Cancel")), this);
    Abbruch->setObjectName(QStringLiteral("Abbruch"));
    OkBtn2 = new QPushButton(QStringLiteral("OK"), this);
    OkBtn2->setObjectName(QStringLiteral("OkBtn2"));
    AbbruchBtn2 = new QPushButton(Msg(QStringLiteral("Abbrechen"), QStringLiteral("Cancel")), this);
    AbbruchBtn2->setObjectName(QStringLiteral("AbbruchBtn2"));
    const bool folderMode = m_mode == FilesMode::Dir;
    Ok->setVisible(!folderMode);
    Abbruch->setVisible(!folderMode);
    OkBtn2->setVisible(folderMode);
    AbbruchBtn2->setVisible(folderMode);

    auto* fileNameLabel = new QLabel(Msg(QStringLiteral("Dateiname:"), QStringLiteral("File name:")), this);
    fileNameLabel->setBuddy(FileName);
    auto* pathLabel = new QLabel(Msg(QStringLiteral("Pfad:"), QStringLiteral("Path:")), this);
    pathLabel->setBuddy(KomplettPfadText);
    if (folderMode) {
        File1->hide();
        FileName->hide();
        fileNameLabel->hide();
    }

    auto* lists = new QGridLayout;
    lists->addWidget(Drive1, 0, 0);
    lists->addWidget(Dir1, 1, 0);
    lists->addWidget(File1, 0, 1, 2, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, folderMode ? 0 : 1);
    auto* fields = new QGridLayout;
    fields->addWidget(fileNameLabel, 0, 0);
    fields->addWidget(FileName, 0, 1);
    fields->addWidget(pathLabel, 1, 0);
    fields->addWidget(KomplettPfadText, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {Ok, Abbruch, OkBtn2, AbbruchBtn2}) {
        b->setAutoDefault(true);
        buttons->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addLayout(lists, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(folderMode ? 420 : 680, 460);

    setTabOrder(Drive1, Dir1);
    setTabOrder(Dir1, File1);
    setTabOrder(File1, FileName);
    setTabOrder(FileName, KomplettPfadText);
    setTabOrder(KomplettPfadText, Ok);
    setTabOrder(Ok, Abbruch);
    setTabOrder(Abbruch, OkBtn2);
    setTabOrder(OkBtn2, AbbruchBtn2);

    for (QObject* o : {static_cast<QObject*>(Drive1), static_cast<QObject*>(Dir1),
                       static_cast<QObject*>(File1), static_cast<QObject*>(FileName),
                       static_cast<QObject*>(KomplettPfadText)})
        o->installEventFilter(this);

    connect(Drive1, &QComboBox::activated, this, &Files::Drive1_Change);
    connect(Dir1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { Dir1_Change(current); });
    connect(File1, &QListView::doubleClicked, this, [this] { Ok_Click(); });
    connect(FileName, &QLineEdit::textEdited, this, &Files::FileName_Change);
    connect(KomplettPfadText, &QLineEdit::textEdited, this, &Files::KomplettPfadText_Change);
    connect(Ok, &QPushButton::clicked, this, &Files::Ok_Click);
    connect(OkBtn2, &QPushButton::clicked, this, &Files::Ok_Click);
    connect(Abbruch, &QPushButton::clicked, this, &Files::Abbruch_Click);
    connect(AbbruchBtn2, &QPushButton::clicked, this, &Files::Abbruch_Click);
    // The models read folders on a thread of their own and tell when one
    // is read (only the first time it is read).
    connect(m_dirModel, &QFileSystemModel::directoryLoaded, this,
            [this](const QString& path) { m_foldersRead.insert(withSlash(path)); });
    // A folder removed while it is shown: move up to what is still there.
    connect(m_dirModel, &QAbstractItemModel::rowsRemoved, this, &Files::checkFolderStillThere);
}

bool Files::folderLoaded() const
{
    return m_filesRead.contains(m_folder) && m_foldersRead.contains(m_folder);
}

QString Files::heading() const { return headingText(m_mode, m_caption, m_pattern); }

QString Files::fullPathText() const { return KomplettPfadText->text(); }

QStringList Files::shownFolders() const
{
    QStringList names;
    const QModelIndex folder = m_dirModel->index(modelPath(m_folder));
    for (int row = 0; row < m_dirModel->rowCount(folder); ++row)
        names.append(m_dirModel->fileName(m_dirModel->index(row, 0, folder)));
    names.sort(Qt::CaseInsensitive);
    return names;
}

int Files::shownFileCount() const { return m_fileModel->rowCount(File1->rootIndex()); }

QStringList Files::shownFiles() const
{
    QStringList names;
    const QModelIndex root = File1->rootIndex();
    for (int row = 0; row < m_fileModel->rowCount(root); ++row)
        names.append(m_fileModel->fileName(m_fileModel->index(row, 0, root)));
    return names;
}

void Files::setFolder(const QString& folder)
{
    const QString target = nearestExistingFolder(folder);
    const bool changed = target != m_folder;
    m_navigating = true;
    m_folder = target;

    const int place = placeIndexFor(m_places, m_folder);
    Drive1->setCurrentIndex(place);
    const QString placePath = place >= 0 ? m_places[place].path : QStringLiteral("/");
    Dir1->setRootIndex(m_dirModel->index(modelPath(placePath)));
    const QModelIndex folderIndex = m_dirModel->index(modelPath(m_folder));
    // The folder is shown open, its sub-folders right below it.
    for (QModelIndex up = folderIndex; up.isValid(); up = up.parent())
        Dir1->expand(up);
    Dir1->setCurrentIndex(folderIndex);
    Dir1->scrollTo(folderIndex);

    if (changed || !m_fileModel)
        useFileModel();
    File1->setRootIndex(m_fileModel->setRootPath(modelPath(m_folder)));
    // A file chosen in another folder no longer applies; a name to save under does.
    if (changed && m_mode == FilesMode::File && m_started) {
        m_name.clear();
        FileName->clear();
    }
    m_navigating = false;
    showFullPath();
}

// The file list's model, made anew for each folder and pattern. A model
// keeps showing the folders on the way to every root it was once given,
// whatever its filter says, and re-filters rows it has already read by
// changing their number inside a layout change; a fresh one has neither.
void Files::useFileModel()
{
    QFileSystemModel* oldModel = m_fileModel;
    QItemSelectionModel* oldSelection = File1->selectionModel();
    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_fileModel->setReadOnly(true);
    m_fileModel->setIconProvider(m_icons.get());
    m_fileModel->setNameFilterDisables(false); // names that do not match are hidden, not greyed
    m_fileModel->setNameFilters(nameFiltersFor(m_pattern));
    m_fileModel->sort(0, Qt::AscendingOrder);
    m_filesRead.clear();
    connect(m_fileModel, &QFileSystemModel::directoryLoaded, this,
            [this](const QString& path) { m_filesRead.insert(withSlash(path)); });
    File1->setModel(m_fileModel);
    connect(File1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { File1_Click(current); });
    delete oldSelection;
    delete oldModel;
}

void Files::setPattern(const QString& pattern)
{
    m_pattern = pattern.trimmed().isEmpty() ? QStringLiteral("*") : pattern.trimmed();
    m_heading->setText(heading());
    const QString folder = m_folder;
    m_folder.clear(); // read the folder again with the new pattern
    setFolder(folder);
}

void Files::showFullPath()
{
    m_shownFullPath = m_mode == FilesMode::Dir ? m_folder : m_folder + m_name;
    if (KomplettPfadText->text() != m_shownFullPath)
        KomplettPfadText->setText(m_shownFullPath);
}

void Files::Drive1_Change(int index)
{
    if (index >= 0 && index < m_places.size())
        setFolder(m_places[index].path);
}

void Files::Dir1_Change(const QModelIndex& current)
{
    if (m_navigating || !current.isValid())
        return;
    setFolder(withSlash(m_dirModel->filePath(current)));
}

void Files::File1_Click(const QModelIndex& current)
{
    if (m_navigating || !current.isValid() || m_mode == FilesMode::Dir)
        return;
    m_name = m_fileModel->fileName(current);
    FileName->setText(m_name);
    showFullPath();
}

void Files::FileName_Change(const QString& text)
{
    m_name = text;
    showFullPath();
}

void Files::KomplettPfadText_Change(const QString& text)
{
    // Typing points the lists at the folder the text names, as far as it exists.
    const QString path = normalizeTypedPath(text, QDir::homePath());
    if (path.isEmpty())
        return;
    const QString folder = QFileInfo(path).isDir() ? withSlash(path)
                                                   : path.left(path.lastIndexOf(u'/') + 1);
    if (folder != m_folder && QFileInfo(folder).isDir()) {
        const QString typed = text;
        setFolder(folder);
        KomplettPfadText->setText(typed); // the user's text stays as typed
    }
}

QString Files::chosenPath() const
{
    const QString text = KomplettPfadText->text();
    // The path the lists chose is used exactly as it is (a name may hold
    // blanks, quotes or a newline); only a typed text is normalised.
    if (text == m_shownFullPath && !m_name.contains(u'/'))
        return m_shownFullPath;
    const QString path = normalizeTypedPath(text, QDir::homePath());
    return path.isEmpty() ? text.trimmed() : path;
}

void Files::Ok_Click()
{
    checkFolderStillThere();
    const ChoiceOutcome outcome = resolveChoice(m_mode, chosenPath(), m_folder);
    switch (outcome.kind) {
    case ChoiceOutcome::Accept:
        m_result = outcome.path;
        accept();
        return;
    case ChoiceOutcome::OpenFolder:
        if (m_mode == FilesMode::File)
            m_name.clear();
        FileName->setText(m_name);
        setFolder(outcome.path);
        return;
    case ChoiceOutcome::ApplyPattern:
        m_name.clear();
        FileName->clear();
        m_folder = outcome.path;
        setPattern(outcome.pattern);
        return;
    case ChoiceOutcome::Refuse:
        prompt().message(m_caption, outcome.message, PromptIcon::Warning);
        return;
    }
}

void Files::Abbruch_Click()
{
    m_fileOps.cancel();
    m_result.clear();
    reject();
}

void Files::goUp()
{
    if (m_folder == QLatin1String("/"))
        return;
    setFolder(m_folder.left(m_folder.lastIndexOf(u'/', m_folder.size() - 2) + 1));
}

void Files::checkFolderStillThere()
{
    if (!QFileInfo(m_folder).isDir())
        setFolder(m_folder);
}

bool Files::ReadDirctoryStructureToFile(const QString& Path, const QString& TargetTextFileName,
                                        const QString& SearchExtension, bool AppendTarget)
{
    m_fileOps.setProgress([] { QCoreApplication::processEvents(); });
    return m_fileOps.ReadDirctoryStructureToFile(Path, TargetTextFileName, SearchExtension, AppendTarget);
}

bool Files::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool inList = watched == Dir1 || watched == File1;
    if (inList && key->key() == Qt::Key_Backspace) {
        goUp();
        return true;
    }
    if (!isReturn(key))
        return QDialog::eventFilter(watched, event);
    if (watched == Drive1) {
        Drive1_Change(Drive1->currentIndex());
        Dir1->setFocus();
    } else if (watched == Dir1) {
        if (m_mode == FilesMode::Dir) {
            Ok_Click();
        } else {
            File1->setFocus();
            if (!File1->currentIndex().isValid() && m_fileModel->rowCount(File1->rootIndex()) > 0)
                File1->setCurrentIndex(m_fileModel->index(0, 0, File1->rootIndex()));
        }
    } else {
        Ok_Click();
    }
    return true;
}
