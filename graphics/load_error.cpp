#include "graphics/load_error.h"

#include "interp/error.h"

namespace graphics {

void report_load_error(const LoadError& e) {
  const char* name = e.name.c_str();
  switch (e.fault) {
    case LoadFault::bad_tag: interp::report_errorf("タグエラー", "タグの指定がおかしいです。");
    case LoadFault::bad_colour:
      interp::report_errorf("構文エラー",
                            "カラー指定が間違っています。HTMLと同じ形式（例：#75fe1b）で指定してください。");
    case LoadFault::no_sprite_colour: interp::report_errorf("エラー", "画像タグ:sの次は色指定#rrggbbです。");
    case LoadFault::mask_with_cells:
      interp::report_errorf("エラー", "画像指定タグ:mファイル名のときは複数セル画像はサポートしていません。");
    case LoadFault::cannot_open: interp::report_errorf("ロードエラー", "ファイル%sを開けません。", name);
    case LoadFault::missing_in_zpk:
      interp::report_errorf("エラー", "ZPKアーカイブからファイル%sがみつかりません", name);
    case LoadFault::uncompressed_bmp: interp::report_errorf("エラー", "BMPが圧縮されていません");
    case LoadFault::load_failed: interp::report_errorf("エラー", "ロード失敗!");
    case LoadFault::jpegmode_retry: interp::report_errorf("ロードエラー(JPEGMODE)", "%s", name);
    case LoadFault::archive_unreadable: interp::report_errorf("エラー", "%sが開けませんでした。", name);
  }
  interp::report_errorf("エラー", "ロード失敗!");
}

}  // namespace graphics
