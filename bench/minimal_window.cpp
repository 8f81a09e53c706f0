// The floor for start-up time and memory: the least a Qt Widgets window of the editor's shape
// costs. A main window with 4 menus, a 9-button toolbar (text buttons: no icon is looked up or
// loaded), a 4-panel status bar, 3 line edits and 2 lists, one holding 24 items; nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    for (const char* menu : {"&File", "&Edit", "&Extra", "&Information"})
        window.menuBar()->addMenu(QString::fromLatin1(menu))->addAction(QStringLiteral("Item"));
    QToolBar* toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    for (int i = 0; i < 9; ++i)
        toolbar->addAction(QString::number(i + 1));
    for (int i = 0; i < 4; ++i)
        window.statusBar()->addWidget(new QLabel(QStringLiteral("Panel")));
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    for (int i = 0; i < 3; ++i)
        layout->addWidget(new QLineEdit(central));
    auto* forms = new QListWidget(central);
    for (int i = 0; i < 24; ++i)
        forms->addItem(QStringLiteral("- EMPTY FORM -"));
    layout->addWidget(forms);
    layout->addWidget(new QListWidget(central));
    window.setCentralWidget(central);
    window.resize(1000, 700);
    window.show();
    return app.exec();
}
