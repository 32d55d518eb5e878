#pragma once

#include "aboutbox.h"
#include "captionfit.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

// Where Qt lists no fonts at all (its offscreen platform on Windows does not), every glyph is an
// empty box of the font's height: caption widths say nothing there.
#define QS_SKIP_WITHOUT_FONTS()                                                                    \
    if (QFontDatabase::families().isEmpty())                                                       \
    GTEST_SKIP() << "Qt lists no fonts here: caption widths cannot be measured"

namespace qs::test {

// The captions cut in the About box that open shows, which is then closed by its OK button.
inline QStringList captionsCutInAboutBox(const std::function<void()> &open)
{
    QStringList cut{"the About box did not show"};
    QTimer::singleShot(0, [&cut] {
        auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        cut = captionsCut(box);
        box->findChild<QPushButton *>("cmdOK")->click();
    });
    open();
    return cut;
}

} // namespace qs::test
