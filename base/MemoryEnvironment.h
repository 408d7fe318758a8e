#pragma once
// The allocator's setting for the program's long runs.

// Blocks from 1 MiB up are mapped on their own and grow by moving their pages, never
// by copying them. The allocator would otherwise raise that bound to 32 MiB as soon as
// large blocks are freed, and every growing array below it (the result boxes' documents
// keep their blocks and text in such arrays) would then be copied into fresh pages at
// each doubling: tens of megabytes at once, in the middle of a run.
void SetMemoryEnvironment();
