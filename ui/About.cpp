#include "ui/About.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/version.h"

TForm8::TForm8(QWidget* parent)
    : QDialog(parent),
      Image1(new QLabel(this)),
      Label1(new QLabel("Corvella Version " CORVELLA_VERSION, this)),
      Button1(new QPushButton("Close", this)) {
    setWindowTitle("About Corvella");
    Image1->setObjectName("Image1");
    Image1->setPixmap(QPixmap(":/pictures/about.jpg"));
    Label1->setObjectName("Label1");
    Button1->setObjectName("Button1");

    auto* right = new QVBoxLayout();
    right->addStretch();
    right->addWidget(Label1);
    right->addStretch();
    right->addWidget(Button1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Image1);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
}

void TForm8::Button1Click() { close(); }
