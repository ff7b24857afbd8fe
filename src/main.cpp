// The order form for TQ8 / TQ8R data loggers and the ZK222 assembly.

#include "application.h"
#include "imageform.h"
#include "kontaktform.h"
#include "mainform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    application::setUpFonts();
    QApplication app(argc, argv);
    application::setUpNames();

    TMainForm mainForm;
    TKontaktForm kontaktForm([&mainForm] { return mainForm.currentLanguage() == catalogue::Language::Czech; },
                             &mainForm);
    TImageForm imageForm(&mainForm);
    mainForm.setForms(&kontaktForm, &imageForm);

    mainForm.show();
    return app.exec();
}
