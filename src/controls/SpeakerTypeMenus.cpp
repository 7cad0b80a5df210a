#include "SpeakerTypeMenus.h"

#include "MenuTemplate.h"

namespace {

// Names of one language; the tree is the same in both.
struct SpeakerMenuTexts {
    const char* none;
    const char* front;
    const char* rear;
    const char* center;
    const char* subwoofer;
    const char* left;
    const char* right;
    const char* tweeter;
    const char* midrange;
    const char* woofer;
    const char* midTweeter;
    const char* midWoofer;
    const char* full;
    const char* leftSub;
    const char* rightSub;
    const char* sub;
};

const SpeakerMenuTexts kChinese = {"空", "前置", "后置", "中置", "超低", "左", "右", "高频", "中频", "低频",
                                   "中高频", "中低频", "全频", "左超低", "右超低", "超低"};
const SpeakerMenuTexts kEnglish = {"NULL", "Front", "Rear", "Center", "Subwoofer", "Left", "Right",
                                   "Tweeter", "Midrange", "Woofer", "Midrange Tweeter", "Midrange Woofer",
                                   "Full", "L-Subwoofer", "R-Subwoofer", "Subwoofer"};

UINT Cmd(int type) { return ID_SPEAKER_TYPE_BASE + UINT(type); }

// Six ways of a front side, from the first type of that side.
std::vector<MenuTemplateItem> FrontSide(const SpeakerMenuTexts& t, int first)
{
    return {MenuItem(t.tweeter, Cmd(first)),        MenuItem(t.midrange, Cmd(first + 1)),
            MenuItem(t.woofer, Cmd(first + 2)),     MenuItem(t.midTweeter, Cmd(first + 3)),
            MenuItem(t.midWoofer, Cmd(first + 4)),  MenuItem(t.full, Cmd(first + 5))};
}

// Tweeter, woofer and full range, from the first type.
std::vector<MenuTemplateItem> ThreeWays(const SpeakerMenuTexts& t, int first)
{
    return {MenuItem(t.tweeter, Cmd(first)), MenuItem(t.woofer, Cmd(first + 1)), MenuItem(t.full, Cmd(first + 2))};
}

std::vector<MenuTemplateItem> SpeakerMenu(const SpeakerMenuTexts& t)
{
    return {MenuPopup("", {
        MenuItem(t.none, Cmd(0)),
        MenuPopup(t.front, {MenuPopup(t.left, FrontSide(t, 1)), MenuPopup(t.right, FrontSide(t, 7))}),
        MenuPopup(t.rear, {MenuPopup(t.left, ThreeWays(t, 13)), MenuPopup(t.right, ThreeWays(t, 16))}),
        MenuPopup(t.center, ThreeWays(t, 19)),
        MenuPopup(t.subwoofer, {MenuItem(t.leftSub, Cmd(22)), MenuItem(t.rightSub, Cmd(23)),
                                MenuItem(t.sub, Cmd(24))}),
    })};
}

}  // namespace

void RegisterMenuResources()
{
    RegisterMenuTemplate(IDR_MENU_SPEAKER_TYPE_CN, SpeakerMenu(kChinese));
    RegisterMenuTemplate(IDR_MENU_SPEAKER_TYPE_EN, SpeakerMenu(kEnglish));
}
