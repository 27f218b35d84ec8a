#pragma once

class QApplication;

// The fixed surroundings of every widget test, so layouts and pixels do not depend on the
// machine: English locale, the Fusion style, the program's bundled fonts and a
// fixed application font size. Call once, after the QApplication exists
// (for Qt Test: from initTestCase). The clock is pinned by AppStateFixture; the theme, when a
// test needs one, by AppState's theme manager ("light" or "dark").
namespace GuiEnvironment {

void prepare();

} // namespace GuiEnvironment
