#pragma once

class QApplication;

namespace quadrelo {

// Names, Italian locale and standard dialogs, interface font: what every start of the window
// layer shares (the program and the window tests alike).
void setupApplication(QApplication& app);

// Liberation Sans 9 pt when it is installed: the face the layouts are drawn for.
void applyInterfaceFont(QApplication& app);

} // namespace quadrelo
