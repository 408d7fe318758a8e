#pragma once
// Process-wide number format settings, read from the system's default locale.

// One character each; the conversions use only DecimalSeparator, axis labels
// also ThousandSeparator.
extern char32_t DecimalSeparator;
extern char32_t ThousandSeparator;

// (Re-)reads both separators: the first character of the locale's strings,
// "." and "," where the locale gives none. Called at start-up and whenever the
// system announces a settings change.
void GetFormatSettings();
