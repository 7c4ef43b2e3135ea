#include "UpdaterPrompt.h"


#include <cstdio>

namespace {

UpdaterAnswer defaultAnswer(UpdaterButtons buttons)
{
    switch (buttons) {
    case UpdaterButtons::Ok: return UpdaterAnswer::Ok;
    case UpdaterButtons::OkCancel: return UpdaterAnswer::Cancel;
    case UpdaterButtons::YesNo: return UpdaterAnswer::No;
    }
    return UpdaterAnswer::Cancel;
}

bool fits(UpdaterAnswer answer, UpdaterButtons buttons)
{
    switch (buttons) {
    case UpdaterButtons::Ok: return answer == UpdaterAnswer::Ok;
    case UpdaterButtons::OkCancel: return answer == UpdaterAnswer::Ok || answer == UpdaterAnswer::Cancel;
    case UpdaterButtons::YesNo: return answer == UpdaterAnswer::Yes || answer == UpdaterAnswer::No;
    }
    return false;
}

const char* answerName(UpdaterAnswer a)
{
    switch (a) {
    case UpdaterAnswer::Ok: return "ok";
    case UpdaterAnswer::Cancel: return "cancel";
    case UpdaterAnswer::Yes: return "yes";
    case UpdaterAnswer::No: return "no";
    }
    return "?";
}

} // namespace

AnswerFilePrompt::AnswerFilePrompt(const QString& answerFile, const QString& logFile)
    : m_logFile(logFile)
{
    QFile f(answerFile);
    if (!f.open(QIODevice::ReadOnly))
        return;
    for (const QByteArray& raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed().toLower();
        if (!line.isEmpty() && !line.startsWith(u'#'))
            m_answers.append(line);
    }
}

AnswerFilePrompt* AnswerFilePrompt::fromEnvironment()
{
    if (!qEnvironmentVariableIsSet("ARVEX_UPDATER_ANSWERS"))
        return nullptr;
    return new AnswerFilePrompt(qEnvironmentVariable("ARVEX_UPDATER_ANSWERS"),
                                qEnvironmentVariable("ARVEX_UPDATER_PROMPT_LOG"));
}

UpdaterAnswer AnswerFilePrompt::ask(const QString& title, const QString& text, UpdaterButtons buttons,
                                    UpdaterIcon)
{
    UpdaterAnswer answer = defaultAnswer(buttons);
    if (!m_answers.isEmpty()) {
        const QString next = m_answers.takeFirst();
        const UpdaterAnswer scripted = next == QLatin1String("yes")      ? UpdaterAnswer::Yes
                                       : next == QLatin1String("no")     ? UpdaterAnswer::No
                                       : next == QLatin1String("ok")     ? UpdaterAnswer::Ok
                                                                          : UpdaterAnswer::Cancel;
        // An answer that is not one of the box's buttons gets the safe default.
        if (fits(scripted, buttons))
            answer = scripted;
    }
    QString flat = text;
    flat.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(u'\r', QLatin1String("\\n"));
    flat.replace(u'\n', QLatin1String("\\n"));
    const QByteArray line = (title + u'\t' + flat + u'\t' + QLatin1String(answerName(answer)) + u'\n').toUtf8();
    if (m_logFile.isEmpty()) {
        std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    } else {
        QFile log(m_logFile);
        if (log.open(QIODevice::Append))
            log.write(line);
    }
    return answer;
}
