#include "app/CKeepsakeApp.h"

int main(int argc, char** argv) {
    // The web documents need one GL context shared by all of them.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    CKeepsakeApp app(argc, argv);
    if (!app.InitInstance())
        return app.handedOver() ? 0 : 1;
    const int code = app.exec();
    app.ExitInstance();
    return code;
}
