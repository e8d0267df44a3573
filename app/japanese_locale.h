#pragma once
// The program speaks Japanese whatever the desktop's language.

class QCoreApplication;

namespace pyramid::ui {

// Makes Japanese the default locale and loads Qt's own Japanese texts, so
// standard buttons read はい / いいえ. Returns false when those texts are
// not installed; the program then runs with Qt's English button texts.
bool useJapanese(QCoreApplication& app);

}  // namespace pyramid::ui
