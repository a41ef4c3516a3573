// CAboutBox: the modal "About Tourvane32" box with the program's icon, name,
// version and an "OK" button.
#pragma once

#include <QDialog>

class CAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit CAboutBox(QWidget* parent = nullptr);
};
