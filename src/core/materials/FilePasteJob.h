#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

class Prompter;

// What one paste did, for the line the window shows when it ends.
struct FilePasteResult {
    int copied = 0;       // files and links now in the target folder
    int skipped = 0;      // clashes the user chose to skip
    bool stopped = false; // stopped by the user, or a clash question closed
    QStringList failures; // the source paths that could not be copied

    // "粘贴完成: 复制 3 个文件" and its variants, in the user's words.
    QString summary() const;
};

// Copies files and folders that the user copied (or cut) in a file manager
// into one folder of a material, on a thread of its own so the window stays
// responsive while large files are copied.
//
// Each job owns its target folder and source list, so two pastes running at
// once never mix. Originals are never removed, also not when they were cut:
// a paste into the knowledge base must not take a file away from where the
// user keeps it. A file of the same name is never replaced without asking;
// the question goes to the window's thread through the prompter while the
// worker waits for the answer. A copy is written under a temporary name
// beside its target and renamed into place only when it is whole, so a
// failure or a stop leaves no partial file; stopping takes effect between
// blocks of a file, and what was copied before stays copied.
//
// Folders are copied whole. Symbolic links are recreated as links with the
// same target and never followed: following one could copy a large tree
// from outside the folder, or loop forever on a link to a parent. Sockets,
// pipes and devices are left out; they hold no content to copy.
class FilePasteJob : public QObject {
    Q_OBJECT
public:
    enum class Clash { Replace, KeepBoth, Skip };

    FilePasteJob(const QString& targetFolder, const QStringList& sources, Prompter& prompter,
                 QObject* parent = nullptr);
    // Stops the copy and waits for the worker, so a window closed mid-paste
    // leaves no thread writing and no partial file behind.
    ~FilePasteJob() override;

    void start();
    // Safe from any thread; the job ends with finished() soon after.
    void stop();
    bool isRunning() const { return m_running; }

    QString targetFolder() const { return m_target; }
    QStringList sources() const { return m_sources; }

    // The name a kept second copy gets in \a folder: "name (2).ext", then
    // "name (3).ext", the first that is free.
    static QString freeName(const QString& folder, const QString& name);

    // The question asked on a clash, and its answers in the order of Clash.
    static QString clashQuestion(const QString& name);
    static QStringList clashChoices();
    static QString applyToAllText();

Q_SIGNALS:
    // Emitted on the worker's thread (queued to the window): at most every
    // 50 ms, besides once as soon as a file larger than one block has
    // started and once at the end.
    void progressed(qint64 doneBytes, qint64 totalBytes);
    // On the thread that started the job, after the worker has ended.
    void finished(const FilePasteResult& result);

private:
    void run();
    bool copyEntry(const QString& source, const QString& targetFolder);
    bool copyFolder(const QString& source, const QString& target);
    bool copyFile(const QString& source, const QString& target, bool replace);
    bool copyLink(const QString& source, const QString& target, bool replace);
    std::optional<Clash> resolveClash(const QString& name);
    void answerClash(const QString& name);
    void reportProgress(bool force);
    bool stopping() const { return m_stop.load(); }

    const QString m_target;
    const QStringList m_sources;
    Prompter& m_prompter;
    std::thread m_thread;
    std::atomic_bool m_stop{false};
    bool m_running = false;

    // Owned by the worker while it runs.
    FilePasteResult m_result;
    qint64 m_total = 0;
    qint64 m_done = 0;
    qint64 m_lastReport = 0;
    std::optional<Clash> m_forAll;

    // A clash question handed to the window's thread, and its answer.
    std::mutex m_mutex;
    std::condition_variable m_answered;
    bool m_hasAnswer = false;
    std::optional<Clash> m_answer;
    bool m_answerForAll = false;
};

Q_DECLARE_METATYPE(FilePasteResult)
