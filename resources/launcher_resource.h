// Resource ids and message texts of VORTA. Macros because the resource compiler's preprocessor
// reads this file too; the simulated PC's string table takes the same texts. UTF-8.
#ifndef CORVANE_RESOURCES_LAUNCHER_RESOURCE_H
#define CORVANE_RESOURCES_LAUNCHER_RESOURCE_H

// The payload: the files VORTA unpacks, each its exact bytes.
#define RT_PAYLOAD 5428
#define IDR_PAYLOAD_VORTAU 130
#define IDR_PAYLOAD_INF 132
#define IDR_PAYLOAD_SYS 133
#define IDR_PAYLOAD_LANGUAGE_ENGLISH 138
#define IDR_PAYLOAD_LANGUAGE_JAPANESE 139

// The two messages, in Japanese and in English.
#define IDS_UNSUPPORTED_OS_JAPANESE 135
#define IDS_UNSUPPORTED_OS_ENGLISH 136
#define IDS_NO_ROLLUP_JAPANESE 137
#define IDS_NO_ROLLUP_ENGLISH 138

/* clang-format off */
#define TEXT_UNSUPPORTED_OS_JAPANESE \
    "ご使用のOSバージョンではPellora/Quintrelを使用できません。必要なバージョンアップを行なってください。"
#define TEXT_UNSUPPORTED_OS_ENGLISH \
    "You cannot use Pellora/Quintrel with your current OS version. Please upgrade your OS to the required version."
#define TEXT_NO_ROLLUP_JAPANESE \
    "Windows2000の場合Pellora/Quintrelをインストールすると、Windowsのエラーメッセージが表示されインストールできないことがあります。この場合はWindowsUpdateを実行してOSを最新の状態にしてからお使いください。"
#define TEXT_NO_ROLLUP_ENGLISH \
    "You may receive an error message when you try to install Pellora/Quintrel on Windows 2000. Please run Windows Update to install the latest updates for your OS and install the program again."
/* clang-format on */

#endif
