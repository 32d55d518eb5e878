#include "singleinstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

namespace qs::profiles {

namespace {
const QByteArray ShowRequest = "show\n";
constexpr int WaitMs = 2000;
} // namespace

SingleInstance::SingleInstance(QString name, QObject *parent)
    : QObject(parent)
    , m_name(std::move(name))
{
}

QString SingleInstance::instanceName(const QString &program)
{
    const QByteArray folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toUtf8();
    return program + u'-' +
           QString::fromLatin1(
               QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16));
}

bool SingleInstance::claim()
{
    // Two starts at once take turns, so that neither removes the name the other just took.
    QLockFile lock(QDir::tempPath() + u'/' + m_name + QStringLiteral(".lock"));
    lock.tryLock(WaitMs);

    QLocalSocket running;
    running.connectToServer(m_name);
    if (running.waitForConnected(WaitMs)) {
        running.write(ShowRequest);
        running.waitForBytesWritten(WaitMs);
        running.disconnectFromServer();
        return false;
    }
    // Nobody answers: a name left by a start that crashed is taken over.
    QLocalServer::removeServer(m_name);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // Without the name the program still runs, only without hearing later starts.
    if (!m_server->listen(m_name))
        return true;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *later = m_server->nextPendingConnection()) {
            // A later start writes and goes at once: its request may be in before this
            // connection is seen, or arrive with its end, as Windows' pipes deliver it.
            const auto read = [this, later] {
                if (later->readAll().contains(ShowRequest.trimmed()))
                    emit activationRequested();
            };
            connect(later, &QLocalSocket::readyRead, this, read);
            connect(later, &QLocalSocket::disconnected, this, [later, read] {
                read();
                later->deleteLater();
            });
            read();
        }
    });
    return true;
}

} // namespace qs::profiles
