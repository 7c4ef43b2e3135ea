#pragma once
// One launcher per program folder. The first instance listens on a local
// socket named after the user and the program folder; a second start finds
// it, sends "activate" (and two optional texts) and ends without a window.
// The first instance raises its window when it hears "activate". UI thread.
#include <QObject>
#include <QString>

class QLocalServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(const QString& programFolder, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The socket name used for `programFolder` by the current user.
    static QString serverName(const QString& programFolder);

    // True when another instance answered: it has been told to activate
    // itself and was sent `textA` and `textB` (when not empty). Otherwise this
    // process becomes the listening instance and false is returned.
    bool notifyRunningInstance(const QString& textA = {}, const QString& textB = {});

signals:
    // Another start asked this instance to come to the front.
    void activationRequested(const QString& textA, const QString& textB);

private:
    void listen();

    QString m_name;
    QLocalServer* m_server = nullptr;
};
