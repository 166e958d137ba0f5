/* SPDX-License-Identifier: BSD-2-Clause */
/*
 * The languages of the texts: the program's catalogue for the user's
 * language, and Qt's own texts (buttons, edit menus, the help) in the same
 * language.
 */
#ifndef AMPELWICK_LANGUAGES_H
#define AMPELWICK_LANGUAGES_H

class QString;

/*
 * Installs on the application the catalogue "ampelwick_<language>" of
 * catalogueDir for the default locale, or the English one, which holds
 * the English plural forms; then Qt's "qtbase_<language>" of Qt's
 * translations directory for the language of that catalogue.  A missing
 * catalogue is not reported.  The translators belong to the application
 * object, which must exist.
 */
void	install_translations(const QString &catalogueDir);

#endif /* AMPELWICK_LANGUAGES_H */
