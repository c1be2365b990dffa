#include "widgets/WidgetLinks.h"

#include "services/Links.h"

#include <QDesktopServices>

bool OpenLink(const QString& link) {
    const std::optional<QUrl> url = OpenableLink(link);
    return url && QDesktopServices::openUrl(*url);
}
