// The text of `lumitag convert --help`, in Japanese and in English.
#include "batch/ConvertArguments.h"

namespace lumitag::batch {

std::string convertHelp() {
    return R"HELP(使い方: lumitag convert [オプション] 入力ファイル

ブルーモードの変換をウィンドウなしで行い、CTKファイルを書きます。画面は要りません。
入力: .csv .tsv (UTF-8 か CP932、自動判別) はそのまま読み、.xlsx .xls .ods は
画面なしのオフィスで開きます (専用のプロファイルで起動し、終わると閉じます)。

設定 (ブルーモードの設定１。--setting 2 / --setting 3 の後は設定２・設定３):
  --mode MODE              ワークモード: single (一列のみ連続), columns (複数列を連続),
                           one-line (複数列を一行), wire (線番・記銘板等、既定)
  --columns A,B,C,D        列一番目から四番目 (--column1 … --column4 でも可)
                           英大文字 A-CV か数字 1-100
  --rows 始め-終わり        行 (--start-row, --end-row でも可)
  --count N|列             個数 1-999。wire では個数列
  --sequence-column 列     連番列 (wire のみ)
  --remark3 文字, --remark4 文字
                           列三番目・四番目の代わりの備考欄 (one-line のみ)
  --replace 文字 --with 文字 [--occurrence 1-5]
                           文字(列)の置換。二つ目は --replace2 --with2 --occurrence2
  --eplan --target-columns Q,R [--head-remark 文字]
                           EPLAN (one-line のみ): 列はソースDT、--target-columns はターゲットDT
  --sheet 名前             ブックのシート (既定: 保存時のアクティブシート)

出力:
  -o, --output FILE        CTKファイル (既定: 入力と同じ名前で .cta、テーブルなしは .ctk)
  --settings FILE          プログラムフォルダの設定ファイル lumitagr.ini (転送先テーブル)
                           か、変換設定ファイル (*.cnv)。同じフォルダのテーブルファイル
                           lumitagr.sp3 と、lumitagr.ini の横の変換設定ファイル
                           lumitagr.cnv も使います。変換設定ファイルはブルーモードが
                           変換 (新規・追加) のたびに書く最後の変換の設定 (ワークモード、
                           シート、列、行、個数、置換、EPLAN、設定１～３) で、
                           オプションで指定したものだけがそれに代わります
  --table FILE             テーブルファイル。なければヘッダーなしで書きます
  --table-name 名前        テーブル: 名前、"名前 (Table3)"、またはファイル内の番号 1-20
  --work-length 長さ       ワーク長 (長さ変更)
  --feed-correction %      送り補正 80-120 (テーブルの WorkMode が 2 か 3 のとき)
  --terminal-block-length 長さ --test-plate-length 長さ
                           端子台と記名板の長さから送り補正を計算
  --no-split               1000 行を超えたら書かずに終わる (既定: job-1.cta, job-2.cta … に分ける)
  --allow-loss             CP932 に書けない文字があっても書く ("?" になります)
  --dry-run                書かずに変換した行を標準出力に出す
  --quiet                  進み具合と結果の行を出さない
  --office PROGRAM         使うオフィスの soffice.bin

終了コード: 0 書いた、1 入力を断った (理由は標準エラー)、2 使い方の誤り

Usage: lumitag convert [OPTIONS] INPUT

Runs the blue mode's conversion without a window and writes marker data files;
no display is needed. .csv and .tsv files (UTF-8 or CP932, detected) are read
directly; .xlsx, .xls and .ods are opened by an office started headless with a
profile of its own for the run, and ended at its end.

Setting (the blue mode's setting 1; after --setting 2 or --setting 3, those):
  --mode MODE              work mode: single (一列のみ連続), columns (複数列を連続),
                           one-line (複数列を一行), wire (線番・記銘板等, the default)
  --columns A,B,C,D        the first to fourth column (or --column1 … --column4),
                           capital letters A-CV or numbers 1-100
  --rows FIRST-LAST        the rows (or --start-row, --end-row)
  --count N|COLUMN         the count 1-999; in wire mode the count column
  --sequence-column COL    the numbering column (wire mode only)
  --remark3 TEXT, --remark4 TEXT
                           a fixed remark instead of column 3 or 4 (one-line only)
  --replace TEXT --with TEXT [--occurrence 1-5]
                           replace text; a second pair with --replace2 --with2 --occurrence2
  --eplan --target-columns Q,R [--head-remark TEXT]
                           EPLAN (one-line only): the columns are the source,
                           --target-columns the target
  --sheet NAME             the workbook's sheet (default: the one active when saved)

Output:
  -o, --output FILE        the marker data file (default: the input's name with .cta,
                           .ctk without a table file)
  --settings FILE          the program folder's settings file lumitagr.ini (the
                           transfer destination) or a conversion settings file (*.cnv);
                           the table file lumitagr.sp3 in the same folder, and the
                           conversion settings file lumitagr.cnv beside lumitagr.ini,
                           are used too. The blue mode writes that file at every
                           conversion (new or add): the settings of the last one
                           (work mode, sheet, columns, rows, count, replacement, EPLAN,
                           settings 1 to 3); each option given replaces what it names
  --table FILE             the table file; without one the file has no header
  --table-name NAME        the table: its name, "NAME (Table3)", or its place 1-20
  --work-length LENGTH     the work length (長さ変更)
  --feed-correction PERCENT
                           the feed correction, 80-120 (tables of WorkMode 2 or 3)
  --terminal-block-length LENGTH --test-plate-length LENGTH
                           the feed correction from the two measured lengths
  --no-split               refuse more than 1000 lines (default: job-1.cta, job-2.cta …)
  --allow-loss             write characters CP932 cannot hold (they become "?")
  --dry-run                print the converted lines instead of writing
  --quiet                  no progress and no summary
  --office PROGRAM         the office's soffice.bin to use

Exit codes: 0 written, 1 input refused (the reason on standard error), 2 usage error
)HELP";
}

} // namespace lumitag::batch
