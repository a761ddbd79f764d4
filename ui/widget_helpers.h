// Small builders the windows share.
#pragma once

class QLabel;
class QWidget;

namespace corvella {

// An empty label in bold type, named for lookup (the summary labels).
QLabel* bold_label(QWidget* parent, const char* name);

}  // namespace corvella
