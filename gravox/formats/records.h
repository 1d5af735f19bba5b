// The 80-column records of the text metafiles (the GKSL metafile and CGM).
//
// An item is a sequence of blank-separated tokens. A token is never split: one that
// would pass column 80 ends the record first, and the item goes on in the next record,
// which begins with the separating blank. Numbers are written through TextOut.
#pragma once

#include <string>
#include <string_view>

#include "gravox/core/text_out.h"

namespace gvx {

class RecordWriter {
  public:
    static constexpr int kColumns = 80;

    void reset(Sink* sink) {
        out_.reset(sink);
        column_ = 0;
    }

    // Starts an item in a record of its own with its first token.
    RecordWriter& item(std::string_view keyword);
    // A token after a blank.
    RecordWriter& token(std::string_view text);
    RecordWriter& integer(long long value);
    RecordWriter& real(double value);
    // Text that follows the previous token without a blank (a terminator or a closing
    // quote); like a token it goes to the next record when it does not fit.
    RecordWriter& attach(std::string_view text);

    // Ends the open record with a newline.
    void end_record();
    // Ends the file: the last record with a newline, or padded with blanks to the full
    // 80 columns and without a newline (the CGM convention).
    void finish(bool pad_without_newline);

  private:
    void place(std::string_view text, bool blank);

    TextOut out_;
    int column_ = 0;
};

}  // namespace gvx
