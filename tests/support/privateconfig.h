#pragma once

#include <QFile>
#include <QTemporaryDir>

// A configuration folder of its own ($XDG_CONFIG_HOME) while it lives: the
// contact store is found there exactly as the program finds it.
class PrivateConfig {
public:
    PrivateConfig()
        : m_previous(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_folder.path()));
    }
    ~PrivateConfig() { qputenv("XDG_CONFIG_HOME", m_previous); }
    PrivateConfig(const PrivateConfig &) = delete;
    PrivateConfig &operator=(const PrivateConfig &) = delete;

    QString path(const QString &name = {}) const { return name.isEmpty() ? m_folder.path() : m_folder.filePath(name); }
    QString store() const { return path(QStringLiteral("VireoLoggers/Formular.conf")); }

private:
    QTemporaryDir m_folder;
    QByteArray m_previous;
};
