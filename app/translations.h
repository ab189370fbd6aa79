#pragma once

#include <QLocale>
#include <QString>
#include <QTranslator>

namespace app {

// The program's texts and Qt's own (its dialogs, buttons and command-line errors) in the user's
// language, as the locale names it (LC_ALL, LC_MESSAGES or LANG, and LANGUAGE for a list of
// languages). Loaded before any application object exists, so the command line and the message
// for a missing display speak it too; installed into the application object once there is one.
// A language without a translation leaves the English texts.
class Translations {
public:
    explicit Translations(const QLocale &locale = QLocale());
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // Makes QCoreApplication::translate and tr() use both translations; the application object
    // must exist.
    void install();
    // `text` of `context` in the user's language, without an application object.
    QString translate(const char *context, const char *text) const;

private:
    QTranslator m_program;
    QTranslator m_qt;
};

} // namespace app
