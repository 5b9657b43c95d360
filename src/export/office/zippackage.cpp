#include "export/office/zippackage.h"

#include "store/ziphandles.h"

#include <memory>

void ZipPackage::add(const QString &name, const QByteArray &bytes)
{
    m_entries.append({name.toUtf8(), bytes});
}

std::optional<QByteArray> ZipPackage::bytes()
{
    zip_error_t error;
    zip_error_init(&error);
    ZipSource buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    if (!buffer) {
        m_error = zipErrorText(&error);
        zip_error_fini(&error);
        return std::nullopt;
    }
    // Discarded on every way out but a successful close.
    ZipArchive archive(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
    if (!archive) {
        m_error = zipErrorText(&error);
        zip_error_fini(&error);
        return std::nullopt;
    }
    zip_error_fini(&error);
    // The archive frees its source when it closes; keep the buffer to read it.
    zip_source_keep(buffer.get());

    for (const auto &[name, content] : m_entries) {
        ZipSource entry(zip_source_buffer(archive.get(), content.constData(), zip_uint64_t(content.size()), 0));
        if (!entry
            || zip_file_add(archive.get(), name.constData(), entry.get(), ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            m_error = QString::fromUtf8(zip_strerror(archive.get()));
            return std::nullopt;
        }
        entry.release(); // the archive owns it now
    }
    if (zip_close(archive.get()) < 0) {
        m_error = QString::fromUtf8(zip_strerror(archive.get()));
        return std::nullopt;
    }
    archive.release(); // closed: freed by the close

    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) < 0 || zip_source_open(buffer.get()) < 0) {
        m_error = zipErrorText(zip_source_error(buffer.get()));
        return std::nullopt;
    }
    QByteArray result(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_source_read(buffer.get(), result.data(), stat.size);
    zip_source_close(buffer.get());
    if (read != zip_int64_t(stat.size)) {
        m_error = zipErrorText(zip_source_error(buffer.get()));
        return std::nullopt;
    }
    return result;
}
