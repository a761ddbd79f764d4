#include "ui/widget_helpers.h"

#include <QLabel>

namespace corvella {

QLabel* bold_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace corvella
