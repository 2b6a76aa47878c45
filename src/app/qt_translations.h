#pragma once

class QCoreApplication;

// Qt's own texts (the context menus of text fields, the file dialog) in Spanish, whatever the
// system's language: the whole interface is Spanish.
namespace QtTranslations {

// Loads Qt's Spanish translations into `application` once; returns whether they were found.
bool installSpanish(QCoreApplication& application);

} // namespace QtTranslations
