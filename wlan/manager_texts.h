#pragma once
// The switching manager's trace texts that are Japanese: Shift-JIS (code page 932) bytes,
// whatever code page the PC uses, so that support staff read the same trace everywhere.

namespace corvane::manager_texts {

// "開始時間 %s\r\n"
inline constexpr char kStartTime[] = "\x8AJ\x8En\x8E\x9E\x8A\xD4 %s\r\n";
// "終了時間 %s\r\n"
inline constexpr char kEndTime[] = "\x8FI\x97\xB9\x8E\x9E\x8A\xD4 %s\r\n";
// "プロファイル取得\r\n"
inline constexpr char kReadProfile[] = "\x83v\x83\x8D\x83t\x83@\x83" "C\x83\x8B\x8E\xE6\x93\xBE\r\n";
// "プロファイルが見つからなかった\r\n"
inline constexpr char kNoProfileFound[] = "\x83v\x83\x8D\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x8C\xA9\x82\xC2\x82\xA9\x82\xE7\x82\xC8\x82\xA9\x82\xC1\x82\xBD\r\n";
// "プロファイルを保存\r\n"
inline constexpr char kProfileSaved[] = "\x83v\x83\x8D\x83t\x83@\x83" "C\x83\x8B\x82\xF0\x95\xDB\x91\xB6\r\n";
// "復旧するプロファイルが無い\r\n"
inline constexpr char kNoProfileToRestore[] = "\x95\x9C\x8B\x8C\x82\xB7\x82\xE9\x83v\x83\x8D\x83t\x83@\x83" "C\x83\x8B\x82\xAA\x96\xB3\x82\xA2\r\n";
// "プロファイル復元 connectionMode manual\r\n"
inline constexpr char kRestoreManual[] = "\x83v\x83\x8D\x83t\x83@\x83" "C\x83\x8B\x95\x9C\x8C\xB3 connectionMode manual\r\n";
// "プロファイル復元 connectionMode auto\r\n"
inline constexpr char kRestoreAuto[] = "\x83v\x83\x8D\x83t\x83@\x83" "C\x83\x8B\x95\x9C\x8C\xB3 connectionMode auto\r\n";
// "    成功\r\n"
inline constexpr char kRestored[] = "    \x90\xAC\x8C\xF7\r\n";
// "無線LANライブラリのロード\r\n"
inline constexpr char kLoadLibrary[] = "\x96\xB3\x90\xFCLAN\x83\x89\x83" "C\x83u\x83\x89\x83\x8A\x82\xCC\x83\x8D\x81[\x83h\r\n";
// "ESSID列挙\r\n"
inline constexpr char kEnumerate[] = "ESSID\x97\xF1\x8B\x93\r\n";
// "ESSIDのリスト作成\r\n"
inline constexpr char kBuildList[] = "ESSID\x82\xCC\x83\x8A\x83X\x83g\x8D\xEC\x90\xAC\r\n";
// "すでにESSIDとインフラが意図したものでも設定を行う\r\n"
inline constexpr char kSetEvenIfSame[] = "\x82\xB7\x82\xC5\x82\xC9" "ESSID\x82\xC6\x83" "C\x83\x93\x83t\x83\x89\x82\xAA\x88\xD3\x90}\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x82\xC5\x82\xE0\x90\xDD\x92\xE8\x82\xF0\x8Ds\x82\xA4\r\n";
// "ESSIDを[%s]に変更\r\n"
inline constexpr char kChangeTo[] = "ESSID\x82\xF0[%s]\x82\xC9\x95\xCF\x8DX\r\n";
// "ESSIDとインフラが意図したものに変更されている？\r\n"
inline constexpr char kChanged[] = "ESSID\x82\xC6\x83" "C\x83\x93\x83t\x83\x89\x82\xAA\x88\xD3\x90}\x82\xB5\x82\xBD\x82\xE0\x82\xCC\x82\xC9\x95\xCF\x8DX\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xE9\x81H\r\n";
// "ESSID設定リトライ\r\n"
inline constexpr char kRetry[] = "ESSID\x90\xDD\x92\xE8\x83\x8A\x83g\x83\x89\x83" "C\r\n";
// "ESSID変更結果 (%d)\r\n"
inline constexpr char kChangeResult[] = "ESSID\x95\xCF\x8DX\x8C\x8B\x89\xCA (%d)\r\n";

}  // namespace corvane::manager_texts
