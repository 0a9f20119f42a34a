// The rune table: names and interpretations by rune number.
#include "runes/runetable.h"

// In rune number order; the order binds each name to its picture (bitmap n).
static const char *const kNames[RUNE_COUNT] = {
    "Mannaz",  "Gebo",  "Ansuz",    "Othila", "Uruz", "Perth",  "Nauthiz", "Inguz", "Eihwaz",
    "Algiz",   "Fehu",  "Wunjo",    "Jera",   "Kano", "Teiwaz", "Berkana", "Ehwaz", "Laguz",
    "Hagalaz", "Raido", "Thurisaz", "Dagaz",  "Isa",  "Sowelu", "Odin",
};

static const char *const kInterpretations[] = {
#include "interpretations.inc"
};

static_assert(sizeof kInterpretations / sizeof kInterpretations[0] == RUNE_COUNT, "one interpretation per rune");

// Negative numbers wrap to large unsigned ones and fall out of range too.
static bool IsRune(int n)
{
    return (unsigned)n - 1u < (unsigned)RUNE_COUNT;
}

const char *get_card_title(int n)
{
    return IsRune(n) ? kNames[n - 1] : "";
}

const char *get_card_desc(int n)
{
    return IsRune(n) ? kInterpretations[n - 1] : "";
}
