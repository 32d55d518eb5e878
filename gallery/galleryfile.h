#pragma once

#include "galleryobjects.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <stdexcept>
#include <vector>

namespace qs::gallery {

class ProfileStrings;

// A gallery file could not be read completely or could not be written.
class GalleryFileError : public std::runtime_error
{
public:
    GalleryFileError(QString file, QString reason);
    const QString &file() const { return m_file; }
    const QString &reason() const { return m_reason; }

private:
    QString m_file;
    QString m_reason;
};

// A file that holds nothing of a gallery: a picture, a program, some other text. Nothing was
// read from it.
class NotAGalleryError : public GalleryFileError
{
public:
    using GalleryFileError::GalleryFileError;
};

// The largest count of categories or items a file may claim; more is damage, not a gallery.
inline constexpr int MaxCount = 1'000'000;
// The most items all categories of one file may claim together: each claimed item is built
// even when its keys are missing, so a small file must not claim a flood of them.
inline constexpr long long MaxTotalItems = 1'000'000;

// Reads file into a reset gallery. On a failure what was read stays in gallery and
// GalleryFileError says why. A file with neither a [Clipart Gallery] nor a [Folder1] section
// fails with NotAGalleryError, unless it is empty or holds only blanks. Folder paths must be
// unique and may not be the root's key; the empty path is no key.
void LoadGallery(const QString &file, Gallery &gallery, ProfileStrings &ini);
void LoadGallery(const QString &file, Gallery &gallery);

// The file's bytes for gallery: CR LF lines, sections and items numbered from 1.
QByteArray galleryText(const Gallery &gallery);
// The characters SaveGallery would write as "?", each once: see UnstorableFinder.
std::vector<char32_t> unstorableCharacters(const Gallery &gallery);
// Replaces file atomically: on a failure the previous file stays as it was.
void SaveGallery(const QString &file, const Gallery &gallery);

// A count as the file gives it: its whole part; nullopt when it is no number.
std::optional<long long> parseCount(const QString &text);

} // namespace qs::gallery
