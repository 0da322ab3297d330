#pragma once

namespace quill {

// Prepares libgsf once per process, before any thread opens a compound file: its object
// types are registered on first use, which is not safe when two threads race to it.
void initializeGsf();

}  // namespace quill
