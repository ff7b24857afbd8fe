#pragma once

// The few services that differ between desktops: the user's language, the
// desktop's opener for documents and web addresses. Everything else in the
// program is portable Qt. Tests replace the instance.

#include <QString>
#include <QUrl>
#include <memory>

namespace platform {

class Desktop {
public:
    virtual ~Desktop() = default;

    // English name of the user's language, e.g. "Czech".
    virtual QString languageName() const;

    // Opens a document with the desktop's own opener, waiting at most
    // `timeoutMs` without blocking the event loop. True when the opener
    // came up (exited successfully or is still running at the limit).
    virtual bool openDocument(const QString &filePath, int timeoutMs);

    // Opens a web address in the browser; failures are ignored.
    virtual void openUrl(const QUrl &url);
};

// The instance the program uses. Never null.
Desktop &desktop();
// Installs a replacement (tests); nullptr restores the default.
void setDesktop(std::unique_ptr<Desktop> replacement);

} // namespace platform
