#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace qs::profiles {

// One running program per user: the first start listens under a name of the user's own, a
// later one asks it to show itself and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // name: the same for every start of the program by one user; see instanceName().
    explicit SingleInstance(QString name, QObject *parent = nullptr);

    // True for the first start, which from now on hears the later ones; false when another
    // start runs and was asked to show itself.
    bool claim();

    // The name for program and the user's settings folder, so that each user, and each test's
    // own settings folder, has its own.
    static QString instanceName(const QString &program);

signals:
    // A later start asked this one to show itself.
    void activationRequested();

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};

} // namespace qs::profiles
