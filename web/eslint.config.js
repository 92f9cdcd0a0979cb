// The browser version's lint: ESLint's recommended rules, the browser's globals for the page
// code, Node's and the browser's for the tests (their page functions run in the browser), and
// no line over 120 columns. The build runs it from its own copy of the npm packages.
import js from '@eslint/js';
import globals from 'globals';

export default [
    js.configs.recommended,
    {
        files: ['src/**/*.js'],
        languageOptions: { ecmaVersion: 2022, sourceType: 'module', globals: globals.browser },
    },
    {
        files: ['tests/**/*.mjs', 'bench/**/*.mjs'],
        languageOptions: { ecmaVersion: 2022, sourceType: 'module', globals: { ...globals.node, ...globals.browser } },
    },
    { rules: { 'max-len': ['error', { code: 120, tabWidth: 4 }] } },
];
