#pragma once

#include <QString>

#include <zip.h>

#include <memory>

// libzip's handles, each freed the way libzip frees it.
struct ZipSourceFree
{
    void operator()(zip_source_t *source) const { zip_source_free(source); }
};
using ZipSource = std::unique_ptr<zip_source_t, ZipSourceFree>;

// An archive never closed by its owner is discarded: nothing half-written lands.
struct ZipArchiveDiscard
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipArchiveDiscard>;

struct ZipFileClose
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};
using ZipMemberFile = std::unique_ptr<zip_file_t, ZipFileClose>;

inline QString zipErrorText(zip_error_t *error)
{
    return QString::fromUtf8(zip_error_strerror(error));
}
