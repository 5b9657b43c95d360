#include "store/recordreader.h"

#include "store/recordfiles.h"
#include "store/recordmap.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Enough reads in flight for a disk to answer many at once (a cold cache reads
// about six times faster with 32 than with one); on a warm cache the extra
// threads only wait their turn for the cores.
constexpr int kReadThreads = 32;
// Entries a thread takes at a time, and the fewest worth a thread of their own.
constexpr qsizetype kBlock = 16;
constexpr qsizetype kPerThread = 64;

struct Scratch
{
    QByteArray buffer; // the bytes of the file being decoded, reused
    QByteArray name;   // its name as the file system has it
};

// Runs work(i, scratch) for every i below count, on the calling thread and up
// to kReadThreads - 1 more.
template <typename Work>
void forEachInParallel(qsizetype count, const Work &work)
{
    std::atomic<qsizetype> next{0};
    const auto run = [&] {
        Scratch scratch;
        for (;;) {
            const qsizetype first = next.fetch_add(kBlock, std::memory_order_relaxed);
            if (first >= count)
                return;
            for (qsizetype i = first, end = std::min(first + kBlock, count); i < end; ++i)
                work(i, scratch);
        }
    };
    const qsizetype wanted = std::min<qsizetype>(kReadThreads, (count + kPerThread - 1) / kPerThread);
    std::vector<std::thread> pool;
    pool.reserve(size_t(std::max<qsizetype>(wanted - 1, 0)));
    for (qsizetype t = 1; t < wanted; ++t) {
        try {
            pool.emplace_back(run);
        } catch (const std::system_error &) {
            break; // fewer threads read the same, only slower
        }
    }
    run();
    for (std::thread &thread : pool)
        thread.join();
}

// The folder, open for the reads relative to it; without it, whole paths.
class Folder
{
public:
    explicit Folder(const QString &dir)
        : m_fd(::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
        , m_prefix(m_fd < 0 ? QFile::encodeName(dir) + '/' : QByteArray())
    {}
    ~Folder()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Folder(const Folder &) = delete;
    Folder &operator=(const Folder &) = delete;

    int fd() const { return m_fd < 0 ? AT_FDCWD : m_fd; }

    // The name of an entry as the file system has it, relative to fd().
    void nativeName(const QString &name, QByteArray &out) const
    {
        out.resize(name.size());
        char *dst = out.data();
        for (qsizetype i = 0; i < name.size(); ++i) {
            const char16_t c = name[i].unicode();
            if (c >= 0x80) {
                out = QFile::encodeName(name);
                break;
            }
            dst[i] = char(c);
        }
        if (!m_prefix.isEmpty())
            out.prepend(m_prefix);
    }
    // The name alone, without a folder in front.
    QByteArrayView fileName(const QByteArray &native) const { return QByteArrayView(native).sliced(m_prefix.size()); }

private:
    int m_fd;
    QByteArray m_prefix;
};

// Reads entry i into the scratch buffer; false, with the reason, when it cannot be.
template <typename Record>
bool readEntry(const Folder &folder, const DirEntry &entry, const FileIdentity *expected, Scratch &scratch,
               RecordRead<Record> &result, QByteArrayView &bytes)
{
    folder.nativeName(entry.name, scratch.name);
    if (expected && expected->isKnown() && fileIdentityAt(folder.fd(), scratch.name.constData()) == *expected) {
        result.identity = *expected;
        result.reused = true;
        return false;
    }
    qsizetype size = 0;
    const FileRead::Status status = readDataFileAt(folder.fd(), scratch.name.constData(), entry.type == EntryType::File,
                                                   scratch.buffer, size, &result.identity, &result.problem);
    if (status != FileRead::Read)
        return false;
    bytes = QByteArrayView(scratch.buffer.constData(), size);
    return true;
}

const FileIdentity *expectedAt(const std::vector<FileIdentity> *expected, qsizetype i)
{
    return expected && size_t(i) < expected->size() ? &(*expected)[size_t(i)] : nullptr;
}

} // namespace

int recordReaderThreads()
{
    return kReadThreads;
}

std::vector<AccountRead> readAccountFiles(const QString &dir, const QList<DirEntry> &entries,
                                          const std::vector<FileIdentity> *expected)
{
    std::vector<AccountRead> results(size_t(entries.size()));
    const Folder folder(dir);
    forEachInParallel(entries.size(), [&](qsizetype i, Scratch &scratch) {
        AccountRead &result = results[size_t(i)];
        QByteArrayView bytes;
        if (readEntry(folder, entries[i], expectedAt(expected, i), scratch, result, bytes))
            result.record = accountFromFile(bytes, entries[i].name, &result.problem);
    });
    return results;
}

std::vector<TransactionRead> readTransactionFiles(const QString &dir, const QList<DirEntry> &entries, ReadDepth depth,
                                                  const std::vector<FileIdentity> *expected, const ReadWindow *window)
{
    Q_ASSERT(depth != ReadDepth::WholeWithin || window);
    const auto within = [window](const OleDateTime &date) { return date > window->after && date < window->before; };
    std::vector<TransactionRead> results(size_t(entries.size()));
    const Folder folder(dir);
    forEachInParallel(entries.size(), [&](qsizetype i, Scratch &scratch) {
        TransactionRead &result = results[size_t(i)];
        QByteArrayView bytes;
        if (!readEntry(folder, entries[i], expectedAt(expected, i), scratch, result, bytes))
            return;
        if (depth == ReadDepth::KeyAndAmount
            && quickTransactionAmount(bytes, folder.fileName(scratch.name), result.amount, result.bucket))
            return;
        // Outside the window the texts are not decoded; the checks are the same.
        OleDateTime date;
        if (depth == ReadDepth::WholeWithin
            && quickTransactionAmount(bytes, folder.fileName(scratch.name), result.amount, result.bucket, &date)
            && !within(date))
            return;
        std::optional<TransactionRecord> record = transactionFromFile(bytes, entries[i].name, &result.problem);
        if (!record)
            return;
        result.amount = record->amount;
        result.bucket = RecordMap<TransactionRecord>::bucketOf(record->key);
        if (depth == ReadDepth::Whole || (depth == ReadDepth::WholeWithin && within(record->date)))
            result.record = std::move(record);
    });
    return results;
}
