#include "app/qt/program_icon.h"

#include "skin/qt/skin_image.h"

#include <QFile>
#include <QPixmap>

namespace volantra {

QIcon programIcon()
{
    // Read by Qt's own PNG reader, as the skin is: an icon made from the file name would
    // load every image-format plugin to find out the format, on the way to the first map.
    QFile file(QStringLiteral(":/volantra/volantra.png"));
    if (!file.open(QIODevice::ReadOnly))
        return QIcon();
    return QIcon(QPixmap::fromImage(SkinImage::decodeData(file.readAll(), file.fileName()).image));
}

} // namespace volantra
