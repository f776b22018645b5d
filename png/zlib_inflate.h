#pragma once
#include <cstddef>
#include <vector>

#include "png/inflate_sink.h"

// Inflates a zlib stream (header, DEFLATE data; the Adler-32 trailer is not
// checked). Returns 0 with exactly the decoded bytes in out, or an error code
// with the bytes decoded before the error:
// 10 data ended inside a Huffman code, 11 code not in the tree,
// 13/14/15 code-length repeat (16/17/18) past the lengths, 16 bad code-length
// symbol, 17 repeat code 16 with no previous length, 18 distance symbol above
// 29, 19 distance before the start of the output, 20 block type 3,
// 21 stored block LEN/NLEN mismatch, 23 stored block past the end,
// 24 header check, 25 method not 8 or window above 32K, 26 preset dictionary,
// 49 dynamic block header past the end, 50 code-length repeat bits past the
// end, 51 length or distance bits past the end, 52 block header past the end,
// 53 fewer than 2 bytes, 55 code lengths that do not form a tree,
// 64 no end-of-block code.
unsigned ZlibInflate(std::vector<unsigned char>& out, const std::vector<unsigned char>& in);

// The same, handing the decoded bytes to a sink as they come: the memory
// taken stays the same whatever the stream inflates to. A non-zero result of
// the sink stops the inflation and is returned.
unsigned ZlibInflate(InflateSink& sink, const unsigned char* data, size_t size);
