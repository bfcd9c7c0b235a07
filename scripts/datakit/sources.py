"""Downloads the source packages into a cache folder and unpacks the parts the builder reads."""
import os
import subprocess

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
CACHE = os.path.join(ROOT, '.cache', 'data-src')

STELLARIUM_DEB = 'stellarium-data'
KSTARS_DEB = 'kstars-data'
D3_NPM = 'd3-celestial@0.7.35'

# Paths inside the stellarium-data package that the builder needs.
STELLARIUM_PARTS = [
    './usr/share/stellarium/nebulae/default/*',
    './usr/share/stellarium/stars/default/stars_[012]_0v0_8.cat',
    './usr/share/stellarium/stars/default/stars_hip_sp_0v0_4.cat',
    './usr/share/stellarium/skycultures/western/star_names.fab',
    './usr/share/stellarium/skycultures/western/constellationship.fab',
    './usr/share/stellarium/textures/*',
    './usr/share/stellarium/landscapes/guereins/*',
    './usr/share/stellarium/landscapes/trees/*',
    './usr/share/doc/stellarium-data/copyright',
]

# Paths inside the kstars-data package that the builder needs.
KSTARS_PARTS = [
    './usr/share/kstars/asteroids.dat',
    './usr/share/doc/kstars-data/copyright',
]


def _run(cmd, cwd):
    subprocess.run(cmd, cwd=cwd, check=True, stdout=subprocess.DEVNULL)


def _apt_download(package, cwd):
    """apt-get download; on a fresh machine the package lists may be empty, so update once and retry."""
    try:
        _run(['apt-get', 'download', package], cwd)
    except subprocess.CalledProcessError:
        sudo = [] if os.geteuid() == 0 else ['sudo']
        subprocess.run(sudo + ['apt-get', 'update', '-qq'], check=True)
        _run(['apt-get', 'download', package], cwd)


def _cached_debs(package):
    return [f for f in os.listdir(CACHE) if f.startswith(package + '_') and f.endswith('.deb')]


def _unpack_deb(package, dest, parts):
    """Downloads the package into the cache once and unpacks the given paths into dest once."""
    stamp = os.path.join(dest, '.unpacked')
    if os.path.exists(stamp):
        return
    if not _cached_debs(package):
        _apt_download(package, CACHE)
    os.makedirs(dest, exist_ok=True)
    deb = os.path.join(CACHE, sorted(_cached_debs(package))[-1])
    tar = subprocess.Popen(['dpkg-deb', '--fsys-tarfile', deb], stdout=subprocess.PIPE)
    subprocess.run(['tar', '-x', '--wildcards', '-C', dest] + parts, stdin=tar.stdout, check=True)
    if tar.wait() != 0:
        raise RuntimeError('could not unpack ' + deb)
    open(stamp, 'w').close()


def fetch():
    """Makes sure both packages are downloaded and unpacked; returns (stellarium dir, d3 data dir)."""
    os.makedirs(CACHE, exist_ok=True)
    st_dir = os.path.join(CACHE, 'stellarium')
    d3_dir = os.path.join(CACHE, 'd3')
    _unpack_deb(STELLARIUM_DEB, st_dir, STELLARIUM_PARTS)
    d3_stamp = os.path.join(d3_dir, '.unpacked')
    if not os.path.exists(d3_stamp):
        tgz = os.path.join(CACHE, 'd3-celestial-0.7.35.tgz')
        if not os.path.exists(tgz):
            _run(['npm', 'pack', '--silent', D3_NPM], CACHE)
        os.makedirs(d3_dir, exist_ok=True)
        _run(['tar', '-xzf', tgz, '-C', d3_dir], CACHE)
        open(d3_stamp, 'w').close()
    return (os.path.join(st_dir, 'usr', 'share', 'stellarium'), os.path.join(d3_dir, 'package', 'data'))


def fetch_kstars():
    """Makes sure kstars-data is downloaded and unpacked; returns its root folder (with usr/share)."""
    os.makedirs(CACHE, exist_ok=True)
    ks_dir = os.path.join(CACHE, 'kstars')
    _unpack_deb(KSTARS_DEB, ks_dir, KSTARS_PARTS)
    return ks_dir
