// TForm8: the About window.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    QLabel* Image1;  // the DNA double helix
    QLabel* Label1;
    QPushButton* Button1;

private slots:
    void Button1Click();
};
