#pragma once

#include <QByteArray>

namespace qs::bench {

// A gallery file with CR LF line ends: a [Clipart Gallery] section, then folders
// [Folder1].. each with Name, Folder, NumItems and ItemName<n>/ItemSrc<n> keys.
// 100 folders of 1,000 items come to about 4.5 MB.
QByteArray generateGallery(int folders, int itemsPerFolder);

} // namespace qs::bench
