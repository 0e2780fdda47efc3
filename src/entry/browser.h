#pragma once
// The regulator's status page in the desktop's browser.
#include <QString>

#include <functional>

class QObject;

namespace voske {

// Opens `url` with the desktop's opener (xdg-open). `failed` gets the reason,
// in Portuguese, when no browser could open it: the opener is missing or
// cannot start (at once), or it ends reporting a failure, as it does on a
// desktop without a browser (later, on this thread, and only while
// `context` lives). A browser that opens says nothing.
void OpenInBrowser(QObject* context, const QString& url, std::function<void(const QString& reason)> failed);

}  // namespace voske
