// The child of the crash-safety test: opens a program folder the way the
// program does and rewrites its settings files and its catalogue, flipping
// between the two versions, until it is killed. It prints "ready" once the
// base is open and one "." per finished round, so the test can tell that its
// kills land while files are being written.

#include "Prompter.h"
#include "RewriteVersions.h"
#include "Workspace.h"
#include "materials/DockStationFile.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// Nothing in the loop should ever need to tell the user anything: a message
// is a failure of the write it comes from, and ends the run for the test to
// see.
class FailingPrompter : public Prompter {
public:
    Answer message(const QString& text, const QString& caption, Icon, Buttons) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
        std::exit(3);
    }
    std::optional<QString> askText(const QString& title, const QString&) override {
        std::fprintf(stderr, "asked: %s\n", qPrintable(title));
        std::exit(3);
    }
};

int fail(const char* why) {
    std::fprintf(stderr, "crash_rewriter: %s\n", why);
    return 3;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: crash_rewriter PROGRAM_FOLDER\n");
        return 2;
    }
    const QString home = QString::fromLocal8Bit(argv[1]);
    FailingPrompter prompter;
    Workspace workspace(ProgramPaths(home, home), prompter);
    if (!workspace.loadConfiguration([] { return false; }) || !workspace.OpenStartBase())
        return fail("the start base does not open");
    const LocalResourceRecord record = workspace.config().LocalResources.value(0);
    const CurrentKnowledgeBase& base = workspace.currentBase();
    DockStationFile dock(workspace.paths(), prompter);
    dock.load();

    int version = RewriteVersions::CatalogueVersion(workspace.store());
    if (version < 0)
        return fail("the catalogue is in no known version");
    std::fputs("ready\n", stdout);
    std::fflush(stdout);

    for (;;) {
        version = (version + 1) % RewriteVersions::kCount;
        workspace.config() = RewriteVersions::Config(record, version);
        if (!workspace.saveConfiguration() || !RewriteVersions::MoveDock(dock, base, version) ||
            !RewriteVersions::Search(version).Save(workspace.paths(), prompter))
            return fail("a settings file was not written");
        if (!RewriteVersions::MoveCatalogue(workspace.store(), base, version))
            return fail(qPrintable(workspace.database().GetErrorText()));
        std::fputc('.', stdout);
        std::fflush(stdout);
    }
}
