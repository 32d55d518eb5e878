#pragma once

#include "paths.h"
#include "testsupport.h"

namespace qs::test {

// The Holiday gallery: Animals (\animals) with Cat and Dog, and an empty Buildings (\buildings).
inline QByteArray holidayGallery()
{
    return crlf({"[Clipart Gallery]", "Name=Holiday", "NumFolders=2", "", "[Folder1]",
                 "Name=Animals", "Folder=\\animals", "NumItems=2", "ItemName1=Cat",
                 "ItemSrc1=cat.gif", "ItemName2=Dog", "ItemSrc2=dog.jpg", "", "[Folder2]",
                 "Name=Buildings", "Folder=\\buildings", "NumItems=0", ""});
}

} // namespace qs::test
