#pragma once
// Marks a string of a table as text a user sees, for the translation tools to collect: the
// programs translate it where they show it (with its context), while astro itself stays free
// of Qt and keeps the English text.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif
