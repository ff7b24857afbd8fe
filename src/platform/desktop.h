#pragma once

// The few services that differ between desktops: the user's language, the
// desktop's opener for documents and web addresses. Everything else in the
// program is portable Qt. Tests replace the instance.

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <memory>

namespace platform {

class Desktop {
public:
    virtual ~Desktop() = default;

    // English name of the user's language, e.g. "Czech".
    virtual QString languageName() const;

    // Starts the desktop's own opener on the first of `documents` whose type
    // the desktop has a program for, or on the last of them when it has
    // none for any of the others, and returns at once. `done` is called
    // once, from the event loop, with true when the opener came up (exited
    // successfully or is still running after `timeoutMs`, which counts from
    // this call) and false when it failed; it may be called before this
    // returns. `documents` is never empty.
    using OpenedCallback = std::function<void(bool opened)>;
    virtual void openDocument(const QStringList &documents, int timeoutMs, OpenedCallback done);

    // Opens a web address in the browser; failures are ignored.
    virtual void openUrl(const QUrl &url);
};

// The instance the program uses. Never null.
Desktop &desktop();
// Installs a replacement (tests); nullptr restores the default.
void setDesktop(std::unique_ptr<Desktop> replacement);

} // namespace platform
