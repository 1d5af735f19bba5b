#include "gravox/formats/records.h"

namespace gvx {

void RecordWriter::place(std::string_view text, bool blank) {
    const int length = static_cast<int>(text.size()) + (blank ? 1 : 0);
    if (column_ > 0 && column_ + length > kColumns) {
        out_.put('\n');
        column_ = 0;
        blank = true;  // a continuation record begins with the separating blank
    }
    if (blank) {
        out_.put(' ');
        ++column_;
    }
    out_.put(text);
    column_ += static_cast<int>(text.size());
}

RecordWriter& RecordWriter::item(std::string_view keyword) {
    if (column_ > 0) end_record();
    place(keyword, false);
    return *this;
}

RecordWriter& RecordWriter::token(std::string_view text) {
    place(text, true);
    return *this;
}

RecordWriter& RecordWriter::attach(std::string_view text) {
    place(text, false);
    return *this;
}

RecordWriter& RecordWriter::integer(long long value) {
    char text[TextOut::kNumberChars];
    return token({text, TextOut::integer_text(text, value)});
}

RecordWriter& RecordWriter::real(double value) {
    char text[TextOut::kNumberChars];
    return token({text, TextOut::shortest_text(text, value)});
}

void RecordWriter::end_record() {
    out_.put('\n');
    column_ = 0;
}

void RecordWriter::finish(bool pad_without_newline) {
    if (pad_without_newline) {
        for (; column_ < kColumns; ++column_) out_.put(' ');
        column_ = 0;
    } else if (column_ > 0) {
        end_record();
    }
    out_.flush();
}

}  // namespace gvx
