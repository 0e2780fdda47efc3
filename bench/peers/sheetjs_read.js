// Reads every cell of every worksheet of the workbook given (argv[3]) with
// SheetJS installed under the folder argv[2], and prints how many cells hold
// a value.
const usage = 'Uso: sheetjs_read.js PASTA_DO_SHEETJS ARQUIVO.xlsx\nConta as células com valor, lidas pelo SheetJS.';
const args = process.argv.slice(2);
if (args.includes('--help') || args.includes('-h')) {
  console.log(usage);
  process.exit(0);
}
if (args.length !== 2 || args.some((a) => a.startsWith('-'))) {
  console.error(usage);
  process.exit(2);
}
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
