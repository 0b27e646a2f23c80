#include "OpenLink.h"

#include <QDesktopServices>
#include <QUrl>

bool OpenLink(const QString& Link) {
    return QDesktopServices::openUrl(QUrl(Link));
}
