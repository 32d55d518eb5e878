#include "windowplacement.h"

#include "testsupport.h"

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height();
}
QT_END_NAMESPACE

using namespace qs;

namespace {
// Two screens side by side, as their available geometries: the primary one on the left.
const QRect Primary(0, 0, 1920, 1040);
const QRect Second(1920, 0, 1280, 984);
const QSize DefaultSize(603, 450);
// The default size centred on the primary screen.
const QRect Centred((1920 - 603) / 2, (1040 - 450) / 2, 603, 450);
} // namespace

TEST(WindowPlacement, StoredPlaceIsKeptInViewAndGarbageGivesTheDefault)
{
    struct Case
    {
        const char *name;
        StoredPlacement stored;
        QMargins frame;
        WindowPlacement expected;
    };
    const Case cases[] = {
        {"first start", {}, {}, {Centred, false}},
        {"as stored", {"100", "80", "700", "500", "Normal"}, {}, {{100, 80, 700, 500}, false}},
        {"maximized on the second screen",
         {"1950", "10", "800", "600", "Maximized"},
         {},
         {{1950, 10, 800, 600}, true}},
        {"across both screens", {"1500", "100", "900", "600", ""}, {}, {{1500, 100, 900, 600}}},
        {"on a screen since removed, right of the second: onto the second",
         {"3500", "200", "800", "600", "Normal"},
         {},
         {{3200 - 800, 200, 800, 600}, false}},
        {"above and left of every screen: onto the nearest, the primary",
         {"-2000", "-900", "800", "600", "Normal"},
         {},
         {{0, 0, 800, 600}, false}},
        {"title bar above the top of the screen",
         {"200", "10", "800", "600", "Normal"},
         {4, 30, 4, 4},
         {{200, 30, 800, 600}, false}},
        {"larger than its screen", {"50", "50", "2500", "1500", "Normal"}, {}, {Primary, false}},
        {"a left that is no number", {"abc", "10", "700", "500", "Normal"}, {}, {Centred, false}},
        {"a negative width", {"10", "10", "-700", "500", "Normal"}, {}, {Centred, false}},
        {"a zero height", {"10", "10", "700", "0", "Normal"}, {}, {Centred, false}},
        {"a number beyond any desktop", {"10", "10", "99999999999", "500", ""}, {}, {Centred}},
        {"a number with text after it", {"10", "10", "700px", "500", ""}, {}, {Centred}},
        {"a key missing", {"10", "10", "700", "", "Normal"}, {}, {Centred, false}},
        {"a state that is no state", {"100", "80", "700", "500", "big"}, {}, {{100, 80, 700, 500}}},
        {"maximized with a garbled size", {"x", "y", "", "", "Maximized"}, {}, {Centred, true}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const WindowPlacement got =
            chooseWindowPlacement(c.stored, {Primary, Second}, DefaultSize, c.frame);
        EXPECT_EQ(got.geometry, c.expected.geometry);
        EXPECT_EQ(got.maximized, c.expected.maximized);
    }
}
