#pragma once
// Qt's own texts (the standard dialogs and buttons) in Chinese, from the translations
// the system's Qt packages install.

class QApplication;
class QFileDialog;

namespace platform {

// Installs Qt's Simplified Chinese translations into the application; false when the
// translation files are not installed (the standard dialogs then stay in English).
bool installChineseTranslations(QApplication& app);

// Makes `dialog` Qt's own file dialog with its dates written the Chinese way (the file
// model writes them in the system's language) and its columns as wide as what they show.
void chineseFileDialog(QFileDialog& dialog);

} // namespace platform
