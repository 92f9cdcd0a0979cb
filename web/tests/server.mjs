// The built site served as a school serves it: Debian's nginx with web/nginx.conf's server blocks
// (gzip on), plain http and https on free local ports, with a certificate of its own for the
// school's name and 127.0.0.1, and its scratch files in a folder of its own.
import { execFileSync, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer, connect } from 'node:net';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

export const freier_port = () =>
    new Promise((fertig) => {
        const s = createServer().listen(0, '127.0.0.1', () => {
            const { port } = s.address();
            s.close(() => fertig(port));
        });
    });

const antwortet = (port) =>
    new Promise((fertig) => {
        const c = connect(port, '127.0.0.1', () => {
            c.end();
            fertig(true);
        }).on('error', () => fertig(false));
    });

// A name on a school's network, which the browser is told is 127.0.0.1.
export const schulname = 'regler.schule';

// `ohne_cache_control`: as a server that says nothing about caching (many do). `weitere`: as
// many more plain http ports (`ports`), each an origin the browser has no cache for.
export async function server_starten(wurzel, { ohne_cache_control = false, weitere = 0 } = {}) {
    const nginx = process.env.REGLER_NGINX ?? '/usr/sbin/nginx';
    const ordner = mkdtempSync(join(tmpdir(), 'regler-nginx-'));
    const alle = [];
    while (alle.length < 2 + weitere) {
        const p = await freier_port();
        if (!alle.includes(p)) alle.push(p);
    }
    const [port, https_port, ...ports] = alle;
    const [zertifikat, schluessel] = [join(ordner, 'zertifikat.pem'), join(ordner, 'schluessel.pem')];
    execFileSync(
        'openssl',
        ['req', '-x509', '-newkey', 'ec', '-pkeyopt', 'ec_paramgen_curve:prime256v1', '-nodes', '-days', '2']
            .concat(['-subj', `/CN=${schulname}`, '-addext', `subjectAltName=DNS:${schulname},IP:127.0.0.1`])
            .concat(['-keyout', schluessel, '-out', zertifikat]),
        { stdio: ['ignore', 'ignore', 'pipe'] },
    );
    let block = readFileSync(join(dirname(fileURLToPath(import.meta.url)), '..', 'nginx.conf'), 'utf8')
        .replace(/listen 8080;/, [port, ...ports].map((p) => `listen 127.0.0.1:${p};`).join(' '))
        .replace(/listen 443 ssl/, `listen 127.0.0.1:${https_port} ssl`)
        .replace(/ssl_certificate \S+;/, `ssl_certificate ${zertifikat};`)
        .replace(/ssl_certificate_key \S+;/, `ssl_certificate_key ${schluessel};`)
        .replaceAll(/root \/var\/www\/regler;/g, `root ${wurzel};`);
    if (ohne_cache_control) block = block.replaceAll(/add_header Cache-Control .*;/g, '');
    const temp = ['client_body', 'proxy', 'fastcgi', 'uwsgi', 'scgi'].map((t) => `${t}_temp_path ${ordner}/${t};`);
    writeFileSync(
        join(ordner, 'nginx.conf'),
        [
            'daemon off;',
            'worker_processes 1;',
            `pid ${ordner}/nginx.pid;`,
            `error_log ${ordner}/error.log;`,
            // As root, nginx's workers would become "nobody", who may not read a private folder.
            process.getuid?.() === 0 ? 'user root;' : '',
            'events { worker_connections 64; }',
            'http {',
            '    include /etc/nginx/mime.types;',
            '    default_type application/octet-stream;',
            '    access_log off;',
            ...temp.map((t) => `    ${t}`),
            block,
            '}',
        ].join('\n'),
    );
    const prozess = spawn(nginx, ['-p', ordner, '-e', `${ordner}/error.log`, '-c', `${ordner}/nginx.conf`], {
        stdio: ['ignore', 'ignore', 'inherit'],
    });
    let beendet = null;
    prozess.on('exit', (code) => (beendet = code));
    for (let i = 0; i < 100 && !(await antwortet(port)); ++i) {
        if (beendet !== null)
            throw new Error(`nginx ended (${beendet}): ${readFileSync(`${ordner}/error.log`, 'utf8')}`);
        await new Promise((r) => setTimeout(r, 50));
    }
    return {
        address: () => ({ port }),
        https_port,
        ports,
        zertifikat: readFileSync(zertifikat, 'utf8'),
        close() {
            prozess.kill();
            rmSync(ordner, { recursive: true, force: true });
        },
    };
}
