#include "app/MissingPlayer.h"

#include "app/Guard.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "platform/ShellOpen.h"

const char* const kMissingPlayerNotice =
    "【提示】：由于您的电脑没有安装播放动画的相关程序，动画可能无法正常播放！\r"
    "点击确定后，请手动安装动画播放程序(Flash Player)。\r"
    "安装之后，重新启动“Pelumo”软件就可进入本内容进行学习了。";

void showMissingPlayerNotice(QWidget* owner) {
    platform::showMessage(owner, QString::fromUtf8(kMissingPlayerNotice),
                          QStringLiteral("重要提示！"), platform::MB_ICONINFORMATION);
    swallowed(
        [] { platform::shellOpen(platform::dataPath(QStringLiteral("Data\\FlashActiveX.exe"))); });
}
