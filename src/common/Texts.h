#pragma once
// Every text the program shows, word for word: window captions and labels,
// button and menu captions, the rows it writes into the record, its
// questions and notices, the summary and the printed and copied report.
// Tables and code name them from here. A text is a char16_t array, so it
// fills a table's const char16_t* directly and becomes a QString through
// QString::fromUtf16.

namespace veltrasa::texts {

inline constexpr char16_t kEmpty[] = u"";
// Joins the copy's banner to its title, and a summary figure's label to
// its value as a screen reader hears them.
inline constexpr char16_t kIdeographicSpace[] = u"　";

// The program's name: the main window's caption, and the caption of its
// message boxes and name of its print jobs.
inline constexpr char16_t kMainWindowCaption[] = u"Veltrasa２００５";
inline constexpr char16_t kApplicationTitle[] = u"Veltrasa2005";

// The command line's --help.
inline constexpr char16_t kCommandLineDescription[] =
    u"Keeps the time-stamped record of a cardiopulmonary resuscitation.\n"
    u"Qt's standard options, such as -display and -platform, are accepted too.";
inline constexpr char16_t kHelpOptionDescription[] = u"Displays help on commandline options.";

// Message boxes' buttons.
inline constexpr char16_t kYesButton[] = u"はい(&Y)";
inline constexpr char16_t kNoButton[] = u"いいえ(&N)";
inline constexpr char16_t kOkButton[] = u"OK";

// Why the screen saver is held off, as the desktop lists it.
inline constexpr char16_t kScreenSaverInhibitReason[] = u"蘇生記録中";

// The main window's labels: headings, digits and separators of the clock
// and counters, the sample date, the reversible causes.
inline constexpr char16_t kClockHeading[] = u"現在の時刻";
inline constexpr char16_t kArrivalCounterHeading[] = u"入室からの経過時間";
inline constexpr char16_t kRhythmCheckHeading[] = u"リズム（パルス）チェック";
inline constexpr char16_t kZeroDigit[] = u"0";
inline constexpr char16_t kSeparator[] = u":";
inline constexpr char16_t kSampleDate[] = u"2003-06-04";
inline constexpr char16_t kReversibleCausesHeading[] = u"６Ｈs５Ｔs";
inline constexpr char16_t kReversibleCauses[] = u"・循環血液量減少\r\n"
                                                u"・低酸素症\r\n"
                                                u"・アシドーシス\r\n"
                                                u"・低／高カリウム血症\r\n"
                                                u"・低血糖\r\n"
                                                u"・低体温\r\n"
                                                u"・毒物\r\n"
                                                u"・心タンポナーデ\r\n"
                                                u"・緊張性気胸\r\n"
                                                u"・血栓症(冠動脈/肺動脈)\r\n"
                                                u"・外傷\r\n";
// The record list's sample row, until start-up clears it.
inline constexpr char16_t kSampleRow[] = u"12:24:00 病院着";

// The events: button captions and picture panels' lettering.
inline constexpr char16_t kArrival[] = u"病院到着";
inline constexpr char16_t kCprStart[] = u"CPR開始";
inline constexpr char16_t kCprStartLettering[] = u"心マ開始";
inline constexpr char16_t kDefibrillation[] = u"除細動";
inline constexpr char16_t kIvAccess[] = u"静脈路確保";
inline constexpr char16_t kIntubation[] = u"気管挿管";
inline constexpr char16_t kEpinephrine[] = u"エピネフリン";
inline constexpr char16_t kAtropine[] = u"アトロピン";
inline constexpr char16_t kAncaron[] = u"アンカロン";
inline constexpr char16_t kShinbit[] = u"シンビット";
inline constexpr char16_t kXylocaine[] = u"キシロカイン";
inline constexpr char16_t kMagnesol[] = u"マグネゾール";
inline constexpr char16_t kMeylon[] = u"メイロン";
inline constexpr char16_t kInfusionAdded[] = u"点滴追加";
inline constexpr char16_t kDopamine[] = u"ドーパミン";
inline constexpr char16_t kDopamineLettering[] = u"ドパミン";
inline constexpr char16_t kPacing[] = u"経皮ﾍﾟｰｼﾝｸﾞ";
inline constexpr char16_t kCprEnd[] = u"CPR終了";
inline constexpr char16_t kCprEndLettering[] = u"終　了";

// The events' record rows (head + tally + tail) and counter titles.
inline constexpr char16_t kArrivalRow[] = u"　病院到着";
inline constexpr char16_t kCprStartRow[] = u"　ＣＰＲ開始";
inline constexpr char16_t kCprStartTitle[] = u"心マッサージ開始後";
inline constexpr char16_t kDefibrillationRow[] = u"　電気的除細動";
inline constexpr char16_t kDefibrillationTitle[] = u"電気的除細動";
inline constexpr char16_t kPerformedTail[] = u"回目施行";
inline constexpr char16_t kPerformedTitleTail[] = u"回目施行後";
inline constexpr char16_t kIvAccessRow[] = u"　静脈路確保";
inline constexpr char16_t kIntubationRow[] = u"　気管挿管施行";
inline constexpr char16_t kEpinephrineRow[] = u"　エピネフリン";
inline constexpr char16_t kAtropineRow[] = u"　アトロピン";
inline constexpr char16_t kAncaronRow[] = u"　アンカロン";
inline constexpr char16_t kShinbitRow[] = u"　シンビット";
inline constexpr char16_t kXylocaineRow[] = u"　キシロカイン";
inline constexpr char16_t kMagnesolRow[] = u"　マグネゾール";
inline constexpr char16_t kGivenTail[] = u"回目投与";
inline constexpr char16_t kGivenTitleTail[] = u"回目投与後";
inline constexpr char16_t kMeylonRow[] = u"　メイロン投与";
inline constexpr char16_t kInfusionAddedRow[] = u"　点滴追加";
inline constexpr char16_t kDopamineRow[] = u"　ドーパミン投与開始";
inline constexpr char16_t kPacingRow[] = u"　経皮ペーシング開始";
inline constexpr char16_t kCprEndRow[] = u"　ＣＰＲ終了";

// The rhythms, and the head of a rhythm check's row.
inline constexpr char16_t kVentricularFibrillation[] = u"心室細動";
inline constexpr char16_t kVentricularTachycardia[] = u"心室頻拍";
inline constexpr char16_t kBradycardia[] = u"徐脈";
inline constexpr char16_t kPea[] = u"ＰＥＡ";
inline constexpr char16_t kAsystole[] = u"心静止";
inline constexpr char16_t kReturnOfCirculation[] = u"心拍再開";
inline constexpr char16_t kRhythmCheckRow[] = u"　ﾘｽﾞﾑﾁｪｯｸ：";

// Questions.
inline constexpr char16_t kEndOfRecordQuestion[] = u"記録を中止しますか？　　　";
inline constexpr char16_t kAnotherRecordQuestion[] = u"記録中の画面があります。新しい記録を別に開始しますか？";
inline constexpr char16_t kSaveQuestion[] = u"記録の内容をテキストファイルにして保存しますか？    ";
inline constexpr char16_t kPrintQuestion[] = u"記録の印刷をしますか？";
// A path, then this.
inline constexpr char16_t kReplaceQuestion[] = u" は既にあります。\r\n\r\n置き換えますか？";

// Notices after the record's outputs.
inline constexpr char16_t kCopiedNotice[] =
    u"クリップボードにコピーしました\r\n\r\nこのまま電子カルテ上に貼り付けることができます";
inline constexpr char16_t kNotKeptNotice[] =
    u"クリップボードにコピーしましたが、このプログラムを終了すると消えます\r\n\r\n"
    u"終了する前に電子カルテ上に貼り付けるか、テキストファイルに保存してください";
inline constexpr char16_t kNotCopiedNotice[] =
    u"クリップボードにコピーできませんでした\r\n\r\n記録をテキストファイルに保存してください";
// This, then the path.
inline constexpr char16_t kSaveFailedNotice[] = u"記録をテキストファイルに保存できませんでした\r\n\r\n";
inline constexpr char16_t kTextFileFilter[] = u"テキストファイル(*.txt)";

// The copied, saved and printed report: its title; the copy's banner of
// stars round the title, indent of the date and closing stars; the gaps
// after the title in the saved file and on the printout; and the parts of
// the date and time (2003年6月4日(水) 12時24分).
inline constexpr char16_t kReportTitle[] = u"救急外来心肺蘇生記録";
inline constexpr char16_t kBannerStars[] = u"★★★★★★★★";
inline constexpr char16_t kDateIndent[] = u"　　　　　　　　　　　　　　";
inline constexpr char16_t kFooterStars[] = u"★★★★★★★★★★★★★★★★★★★★★★★★★★";
inline constexpr char16_t kSavedTitleGap[] = u"　　　　";
inline constexpr char16_t kPrintedTitleGap[] = u"　　  ";
inline constexpr char16_t kWeekdays[] = u"月火水木金土日";
inline constexpr char16_t kYearUnit[] = u"年";
inline constexpr char16_t kMonthUnit[] = u"月";
inline constexpr char16_t kDayUnitAndOpen[] = u"日(";
inline constexpr char16_t kWeekdayClose[] = u") ";
inline constexpr char16_t kHourUnit[] = u"時";
inline constexpr char16_t kMinuteUnit[] = u"分";
inline constexpr char16_t kRecordedTail[] = u"記録";
inline constexpr char16_t kPrintedTail[] = u"印刷";

// The edit window.
inline constexpr char16_t kEditCaption[] = u"編集";
inline constexpr char16_t kEditBoxInitialText[] = u"Text1";
inline constexpr char16_t kCancelButton[] = u"ｷｬﾝｾﾙ";
inline constexpr char16_t kChangeButton[] = u"変更";

// The record list's popup menu.
inline constexpr char16_t kPopupCaption[] = u"popup";
inline constexpr char16_t kEditItem[] = u"修正";
inline constexpr char16_t kDeleteItem[] = u"削除";
inline constexpr char16_t kUndoItem[] = u"元に戻す";

// The summary: its window, figures, lists and timeline.
inline constexpr char16_t kSummary[] = u"振り返り";
inline constexpr char16_t kCloseButton[] = u"閉じる";
inline constexpr char16_t kNoValue[] = u"—";
inline constexpr char16_t kMinutesSeconds[] = u"%1分%2秒";
inline constexpr char16_t kArrivalToCpr[] = u"病院到着からＣＰＲ開始まで";
inline constexpr char16_t kArrivalToShock[] = u"病院到着から初回除細動まで";
inline constexpr char16_t kArrivalToEpinephrine[] = u"病院到着から初回エピネフリンまで";
inline constexpr char16_t kArrivalToRosc[] = u"病院到着から心拍再開まで";
inline constexpr char16_t kRecordLength[] = u"記録時間";
inline constexpr char16_t kFirstRhythm[] = u"初回リズム";
inline constexpr char16_t kTimes[] = u"%1回";
inline constexpr char16_t kRows[] = u"%1行";
inline constexpr char16_t kOutOfOrderRows[] = u"時刻が前後している行";
inline constexpr char16_t kUncountedRows[] = u"集計に含めなかった行";
inline constexpr char16_t kEpinephrineIntervals[] = u"エピネフリン投与間隔";
inline constexpr char16_t kDoseInterval[] = u"%1回目→%2回目　%3";
inline constexpr char16_t kShortMark[] = u"　短い";
inline constexpr char16_t kLongMark[] = u"　長い";
inline constexpr char16_t kRhythmChecks[] = u"リズムチェック";
inline constexpr char16_t kRhythmCheckLine[] = u"%1　%2　前回から%3";
inline constexpr char16_t kMoreLines[] = u"ほか%1件";
inline constexpr char16_t kTimelineName[] = u"タイムライン";
inline constexpr char16_t kTimelineDescription[] =
    u"病院到着からの分: ＣＰＲ、除細動、エピネフリン、アトロピン、抗不整脈薬、リズム";
inline constexpr char16_t kCprLane[] = u"ＣＰＲ";
inline constexpr char16_t kAntiarrhythmicLane[] = u"抗不整脈薬";
inline constexpr char16_t kRhythmLane[] = u"リズム";
inline constexpr char16_t kMarkCount[] = u"×%1";

} // namespace veltrasa::texts
