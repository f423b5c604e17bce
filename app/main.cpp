// Entry point of the load-planning program: the application object does the rest.
#include "app/CQOR2App.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication qt(argc, argv);
    CQOR2App app(CQOR2App::OptionsFromEnvironment());
    if (!app.InitInstance())
        return 1;
    return app.Run();
}
