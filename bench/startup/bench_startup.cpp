// Time from process start to the first paint of the main window with no base
// open, against the same for a bare QMainWindow built on the same libraries.
//
// The parent re-runs this program as a child per sample and takes the time
// from just before starting it to the monotonic clock reading the child
// prints at its first paint, so library loading counts as it does for a user.
#include "app/CKeepsakeApp.h"
#include "app/CMainFrame.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

qint64 monotonicNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// Prints the clock at the first paint of the window with the given object
// name, and ends the program there.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QString& windowName) : m_windowName(windowName) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window()->objectName() == m_windowName) {
            std::printf("%lld\n", static_cast<long long>(monotonicNs()));
            std::fflush(stdout);
            std::_Exit(0);
        }
        return false;
    }

private:
    QString m_windowName;
};

int runChild(int argc, char** argv, bool bare) {
    if (bare) {
        QApplication app(argc, argv);
        FirstPaint watch(QStringLiteral("bare"));
        app.installEventFilter(&watch);
        QMainWindow window;
        window.setObjectName(QStringLiteral("bare"));
        window.resize(1280, 800);
        window.showMaximized();
        return app.exec();
    }
    CKeepsakeApp app(argc, argv);
    FirstPaint watch(QStringLiteral("CMainFrame"));
    app.installEventFilter(&watch);
    if (!app.InitInstance())
        return 1;
    return app.exec();
}

double sampleMs(const QString& program, const QString& mode, const QString& home) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KEEPSAKE_HOME"), home);
    child.setProcessEnvironment(env);
    const qint64 start = monotonicNs();
    child.start(program, {QStringLiteral("--child"), mode});
    if (!child.waitForFinished(30000))
        return -1;
    const qint64 painted = child.readAllStandardOutput().trimmed().toLongLong();
    return painted > 0 ? (painted - start) / 1e6 : -1;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? -1 : v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--child")
        return runChild(argc, argv, std::string(argv[2]) == "bare");

    QCoreApplication app(argc, argv);
    // A home whose configuration lists no base: nothing to open, no first run.
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral("ResourceConfig"));
    QFile config(home.filePath(QStringLiteral("ResourceConfig/ResourceConfig.ini")));
    config.open(QIODevice::WriteOnly);
    config.write("[LOADRESOURCEFAT]\r\nSelfLocalKm=1|\r\n");
    config.close();

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    std::vector<double> keepsake, bare;
    sampleMs(app.applicationFilePath(), QStringLiteral("keepsake"), home.path()); // warm caches
    for (int i = 0; i < runs; ++i) {
        keepsake.push_back(
            sampleMs(app.applicationFilePath(), QStringLiteral("keepsake"), home.path()));
        bare.push_back(sampleMs(app.applicationFilePath(), QStringLiteral("bare"), home.path()));
    }
    const double k = median(keepsake), b = median(bare);
    std::printf("start-up to first paint, median of %d runs\n", runs);
    std::printf("  keepsake main window: %8.1f ms\n", k);
    std::printf("  bare QMainWindow:     %8.1f ms\n", b);
    std::printf("  ratio keepsake/bare:  %8.2f\n", b > 0 ? k / b : 0.0);
    return 0;
}
