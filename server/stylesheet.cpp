#include "server/pages.h"

namespace scores {

// The suite's colours: the green felt of the card table, its gold, ivory panels and brown ink.
const char kStylesheet[] = R"css(:root { --felt: #0f5132; --felt-deep: #072b18; --gold: #d4a93a;
  --gold-light: #f7e39a; --ivory: #f7f0de; --ink: #2b1f14; }
* { box-sizing: border-box; }
body { margin: 0; min-height: 100vh; background: var(--felt) linear-gradient(var(--felt-deep),
  var(--felt)) no-repeat; color: var(--ink); font: 16px/1.5 system-ui, sans-serif; }
header { padding: 0.8rem 1rem; border-bottom: 3px solid var(--gold); background: var(--felt-deep); }
header a { color: var(--gold-light); font-weight: bold; font-size: 1.2rem; text-decoration: none; }
main { max-width: 42rem; margin: 1.5rem auto; padding: 1rem 1.25rem; background: var(--ivory);
  border: 2px solid var(--gold); border-radius: 0.6rem; }
h1 { margin-top: 0; color: var(--felt); }
h2 { margin-bottom: 0.3rem; }
a { color: var(--felt); }
section { margin-bottom: 1.5rem; }
table { width: 100%; border-collapse: collapse; }
th { text-align: left; border-bottom: 2px solid var(--gold); }
td, th { padding: 0.3rem 0.4rem; }
tbody tr:nth-child(odd) { background: rgba(212, 169, 58, 0.15); }
td.name { overflow-wrap: anywhere; }
.score { text-align: right; font-variant-numeric: tabular-nums; }
.result .score { font-size: 2rem; font-weight: bold; color: var(--felt); }
.rank strong { font-size: 1.6rem; color: #8a6519; }
.button { display: inline-block; padding: 0.5rem 1rem; background: var(--felt);
  color: var(--gold-light); border-radius: 0.4rem; text-decoration: none; }
.date { white-space: nowrap; }
.small { font-size: 0.9rem; }
@media (max-width: 30rem) { main { margin: 0.5rem; padding: 0.75rem; } .date { display: none; } }
)css";

} // namespace scores
