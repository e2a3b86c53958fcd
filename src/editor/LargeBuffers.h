#pragma once
#include <cstddef>
#include <string>

// Whole documents are held in a few large buffers. On the virtual machines this program is measured
// on, the first touch of each fresh 4 KB page costs more than copying it several times over, so a large
// buffer asks the kernel for 2 MB pages before anything is written into it. Only a hint: where the
// kernel has no such pages, nothing changes.
void AdviseLargeBuffer(const void* data, std::size_t bytes);

// Room for `bytes` more bytes in s (nothing is written), with the advice above when that is large.
void ReserveLarge(std::string& s, std::size_t bytes);
