#include "app/file_drop.h"

#include <QMimeData>
#include <QUrl>

#include <filesystem>

namespace pyramid::ui {

std::optional<std::string> droppedPath(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls() || mime->urls().isEmpty())
        return std::nullopt;
    const QUrl url = mime->urls().front();
    if (!url.isLocalFile() || !(url.host().isEmpty() || url.host() == QStringLiteral("localhost")))
        return std::nullopt;
    // The percent-encoded form keeps bytes that are not UTF-8.
    const std::string path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString();
    std::error_code ignored;
    const auto status = std::filesystem::status(path, ignored);
    if (!std::filesystem::is_regular_file(status) && !std::filesystem::is_directory(status))
        return std::nullopt;
    return path;
}

}  // namespace pyramid::ui
