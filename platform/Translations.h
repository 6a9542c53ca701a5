#pragma once
// Qt's own texts (the standard dialogs and buttons) in Chinese, from the translations
// the system's Qt packages install.

class QApplication;

namespace platform {

// Installs Qt's Simplified Chinese translations into the application; false when the
// translation files are not installed (the standard dialogs then stay in English).
bool installChineseTranslations(QApplication& app);

} // namespace platform
