#include "FilePasteJob.h"

#include "util/Prompter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRandomGenerator>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

constexpr qint64 kBlockSize = 1024 * 1024;
constexpr qint64 kReportEveryMs = 50;

enum class Kind { Missing, Link, Folder, File, Other };

Kind kindOf(const QFileInfo& info) {
    if (info.isSymLink())
        return Kind::Link;
    if (!info.exists())
        return Kind::Missing;
    if (info.isDir())
        return Kind::Folder;
    return info.isFile() ? Kind::File : Kind::Other;
}

// The bytes a paste of \a path copies, counted the way the copy walks: links
// are not followed and count nothing.
qint64 sizeToCopy(const QFileInfo& info) {
    switch (kindOf(info)) {
    case Kind::File:
        return info.size();
    case Kind::Folder: {
        qint64 size = 0;
        const QFileInfoList entries = QDir(info.filePath())
                                          .entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                         QDir::Hidden | QDir::System);
        for (const QFileInfo& entry : entries)
            size += sizeToCopy(entry);
        return size;
    }
    default:
        return 0;
    }
}

QByteArray nativePath(const QString& path) {
    return QFile::encodeName(path);
}

// A hidden name beside \a target that no other file has, for a copy that is
// not whole yet.
QString partName(const QString& target) {
    const QFileInfo info(target);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".part-") +
           QString::number(QRandomGenerator::global()->generate64(), 16);
}

// Moves a finished copy to its name only while that name is free, in one
// step, so a file that appeared there meanwhile is never replaced.
bool moveToFreeName(const QString& from, const QString& to) {
    const QByteArray source = nativePath(from);
    const QByteArray target = nativePath(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without the exclusive rename still refuse a link to a
    // name that is taken.
    if (::link(source.constData(), target.constData()) != 0)
        return false;
    ::unlink(source.constData());
    return true;
}

bool moveOver(const QString& from, const QString& to) {
    return ::rename(nativePath(from).constData(), nativePath(to).constData()) == 0;
}

bool sameEntry(const QFileInfo& a, const QFileInfo& b) {
    std::error_code error;
    return std::filesystem::equivalent(nativePath(a.absoluteFilePath()).toStdString(),
                                       nativePath(b.absoluteFilePath()).toStdString(), error);
}

} // namespace

QString FilePasteResult::summary() const {
    QString text = stopped ? QStringLiteral("粘贴已停止: 复制 %1 个文件").arg(copied)
                           : QStringLiteral("粘贴完成: 复制 %1 个文件").arg(copied);
    if (skipped > 0)
        text += QStringLiteral(", 跳过 %1 个").arg(skipped);
    if (!failures.isEmpty()) {
        QStringList names;
        for (const QString& path : failures)
            names.append(QFileInfo(path).fileName());
        text += QStringLiteral(", 无法复制: %1").arg(names.join(QStringLiteral(", ")));
    }
    return text;
}

FilePasteJob::FilePasteJob(const QString& targetFolder, const QStringList& sources,
                           Prompter& prompter, QObject* parent)
    : QObject(parent), m_target(QDir::cleanPath(targetFolder)), m_sources(sources),
      m_prompter(prompter) {
    qRegisterMetaType<FilePasteResult>();
}

FilePasteJob::~FilePasteJob() {
    stop();
    if (m_thread.joinable())
        m_thread.join();
}

QString FilePasteJob::clashQuestion(const QString& name) {
    return QStringLiteral("目标文件夹中已有文件 '%1'。").arg(name);
}

QStringList FilePasteJob::clashChoices() {
    return {QStringLiteral("替换"), QStringLiteral("保留两者"), QStringLiteral("跳过")};
}

QString FilePasteJob::applyToAllText() {
    return QStringLiteral("对所有冲突执行此操作");
}

QString FilePasteJob::freeName(const QString& folder, const QString& name) {
    const QFileInfo info(name);
    // A name like ".profile" is all suffix to QFileInfo; it is numbered whole.
    QString base = info.completeBaseName();
    QString suffix =
        info.suffix().isEmpty() || base.isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    if (suffix.isEmpty())
        base = name;
    const QDir dir(folder);
    for (int n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
        const QFileInfo taken(dir.filePath(candidate));
        if (!taken.exists() && !taken.isSymLink())
            return candidate;
    }
}

void FilePasteJob::start() {
    if (m_running || m_thread.joinable())
        return;
    m_running = true;
    m_thread = std::thread([this] { run(); });
}

void FilePasteJob::stop() {
    m_stop = true;
    // Taking the lock orders the flag before a worker that is just about to
    // wait for a clash's answer, so it cannot miss the wake-up.
    { const std::lock_guard<std::mutex> lock(m_mutex); }
    m_answered.notify_all();
}

void FilePasteJob::run() {
    for (const QString& source : m_sources)
        m_total += sizeToCopy(QFileInfo(source));
    const QString target = QFileInfo(m_target).canonicalFilePath();
    for (const QString& source : m_sources) {
        if (stopping())
            break;
        // A folder pasted into itself or below itself would copy its own
        // copy again and again.
        const QString canonical = QFileInfo(source).canonicalFilePath();
        if (QFileInfo(source).isDir() && !QFileInfo(source).isSymLink() &&
            (target == canonical || target.startsWith(canonical + QLatin1Char('/')))) {
            m_result.failures.append(source);
            continue;
        }
        copyEntry(source, m_target);
    }
    m_result.stopped = stopping();
    reportProgress(true);
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_thread.joinable())
                m_thread.join();
            m_running = false;
            Q_EMIT finished(m_result);
        },
        Qt::QueuedConnection);
}

bool FilePasteJob::copyEntry(const QString& source, const QString& targetFolder) {
    const QFileInfo from(source);
    const Kind kind = kindOf(from);
    if (kind == Kind::Missing) {
        m_result.failures.append(source);
        return false;
    }
    if (kind == Kind::Other)
        return true;
    QString target = QDir(targetFolder).filePath(from.fileName());
    const QFileInfo existing(target);
    bool replace = false;
    if (kindOf(existing) != Kind::Missing) {
        const std::optional<Clash> clash = resolveClash(from.fileName());
        if (!clash) {
            stop();
            return false;
        }
        if (*clash == Clash::Skip || (*clash == Clash::Replace && sameEntry(from, existing))) {
            ++m_result.skipped;
            m_done += sizeToCopy(from);
            reportProgress(false);
            return true;
        }
        // Replacing a folder by a file or the other way round would delete
        // what the user has; the copy is kept beside it instead.
        if (*clash == Clash::KeepBoth || kindOf(existing) != kind)
            target = QDir(targetFolder).filePath(freeName(targetFolder, from.fileName()));
        else
            replace = true;
    }
    switch (kind) {
    case Kind::Link:
        return copyLink(source, target, replace);
    case Kind::Folder:
        return copyFolder(source, target);
    default:
        return copyFile(source, target, replace);
    }
}

// A folder that is replaced is merged into: its files that the paste does
// not bring stay, and each clash inside is asked about in turn.
bool FilePasteJob::copyFolder(const QString& source, const QString& target) {
    if (!QFileInfo(target).isDir() && !QDir().mkdir(target)) {
        m_result.failures.append(source);
        return false;
    }
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    bool whole = true;
    for (const QFileInfo& entry : entries) {
        if (stopping())
            return false;
        whole = copyEntry(entry.filePath(), target) && whole;
    }
    // Last, so that a read-only source folder does not make its copy
    // read-only before its files are in.
    QFile::setPermissions(target, QFileInfo(source).permissions());
    return whole;
}

bool FilePasteJob::copyFile(const QString& source, const QString& target, bool replace) {
    QFile in(source);
    const QString part = partName(target);
    QFile out(part);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        m_result.failures.append(source);
        return false;
    }
    const auto discard = [&out] {
        out.close();
        out.remove();
    };
    QByteArray block;
    bool first = true;
    while (!in.atEnd()) {
        if (stopping()) {
            discard();
            return false;
        }
        block = in.read(kBlockSize);
        if (block.isEmpty() || out.write(block) != block.size()) {
            discard();
            m_result.failures.append(source);
            return false;
        }
        m_done += block.size();
        // A large file shows at once that it has started.
        reportProgress(first && !in.atEnd());
        first = false;
    }
    const bool written =
        in.error() == QFileDevice::NoError && out.flush() && ::fsync(out.handle()) == 0 &&
        out.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    out.close();
    out.setPermissions(in.permissions());
    if (!written || !(replace ? moveOver(part, target) : moveToFreeName(part, target))) {
        out.remove();
        m_result.failures.append(source);
        return false;
    }
    ++m_result.copied;
    reportProgress(false);
    return true;
}

bool FilePasteJob::copyLink(const QString& source, const QString& target, bool replace) {
    std::error_code error;
    const std::filesystem::path linkTarget =
        std::filesystem::read_symlink(nativePath(source).toStdString(), error);
    const QString part = partName(target);
    if (!error)
        std::filesystem::create_symlink(linkTarget, nativePath(part).toStdString(), error);
    if (error) {
        m_result.failures.append(source);
        return false;
    }
    if (!(replace ? moveOver(part, target) : moveToFreeName(part, target))) {
        ::unlink(nativePath(part).constData());
        m_result.failures.append(source);
        return false;
    }
    ++m_result.copied;
    return true;
}

std::optional<FilePasteJob::Clash> FilePasteJob::resolveClash(const QString& name) {
    if (m_forAll)
        return m_forAll;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_hasAnswer = false;
    }
    QMetaObject::invokeMethod(
        this, [this, name] { answerClash(name); }, Qt::QueuedConnection);
    std::unique_lock<std::mutex> lock(m_mutex);
    m_answered.wait(lock, [this] { return m_hasAnswer || stopping(); });
    if (!m_hasAnswer)
        return std::nullopt;
    if (m_answer && m_answerForAll)
        m_forAll = m_answer;
    return m_answer;
}

void FilePasteJob::answerClash(const QString& name) {
    // The question may run an event loop of its own, in which the window can
    // close and destroy this job.
    const QPointer<FilePasteJob> alive(this);
    const std::optional<Prompter::ChoiceAnswer> answer = m_prompter.choose(
        clashQuestion(name), QStringLiteral("警告"), clashChoices(), applyToAllText());
    if (!alive)
        return;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_hasAnswer = true;
        m_answer.reset();
        if (answer && answer->index >= 0 && answer->index < clashChoices().size())
            m_answer = static_cast<Clash>(answer->index);
        m_answerForAll = answer && answer->checked;
    }
    m_answered.notify_all();
}

void FilePasteJob::reportProgress(bool force) {
    const qint64 now = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now().time_since_epoch())
                           .count();
    if (!force && now - m_lastReport < kReportEveryMs)
        return;
    m_lastReport = now;
    Q_EMIT progressed(m_done, m_total);
}
