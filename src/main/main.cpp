#include "main/commandline.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    if (const auto status = handleStartup(argc, argv))
        return *status;
    QApplication app(argc, argv);
    return 0;
}
