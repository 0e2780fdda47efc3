// Reads every cell of every worksheet of the workbook given (argv[3]) with
// SheetJS installed under the folder argv[2], and prints how many cells hold
// a value.
const XLSX = require(require('path').join(process.argv[2], 'node_modules', 'xlsx'));
const book = XLSX.readFile(process.argv[3], {dense: true});
let cells = 0;
for (const name of book.SheetNames) {
  const rows = book.Sheets[name]['!data'] || [];
  for (const row of rows) {
    if (!row) continue;
    for (const cell of row) if (cell && cell.v !== undefined && cell.v !== null) ++cells;
  }
}
console.log(cells);
